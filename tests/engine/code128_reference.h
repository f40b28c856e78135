// Test helpers for Code 128 and EAN 128: a reference encoder that applies the
// subset rules literally, asking every run count and subset choice by a fresh
// forward scan (quadratic at worst), and a symbol decoder written from the
// ISO/IEC 15417 code set tables, independent of the encoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/deliverable.h"

namespace lum::code128ref {

inline bool Digit(int c) { return c >= '0' && c <= '9'; }
inline bool Control(int c) { return c < 32 || c == 128; }
inline bool Lower(int c) { return c >= 96 && c <= 127; }
inline bool Shared(int c) { return (c >= 32 && c <= 95) || (c >= 129 && c <= 132); }
inline int Byte(std::string_view t, std::size_t i) { return static_cast<unsigned char>(t[i]); }

// Numeric run count at p: digits 1, FNC1 2 when it stands at an even point.
inline std::size_t RunCount(std::string_view t, std::size_t p, Deliverable who)
{
    std::size_t count = 0, taken = 0;
    for (std::size_t i = p; i < t.size(); ++i, ++taken) {
        if (Digit(Byte(t, i)))
            count += 1;
        else if (Byte(t, i) == 129 && (who == Deliverable::Assistant ? count % 2 == 0 : taken % 2 == 0))
            count += 2;
        else
            break;
    }
    return count;
}

// The subset the first character outside the A/B shared set asks for, from p on.
inline char Scan(std::string_view t, std::size_t p)
{
    for (std::size_t i = p; i < t.size(); ++i)
        if (!Shared(Byte(t, i)))
            return Control(Byte(t, i)) ? 'A' : 'B';
    return 'B';
}

// 'A', 'B' or 'C'.
inline char Chooser(std::string_view t, std::size_t p, Deliverable who)
{
    return RunCount(t, p, who) >= 4 ? 'C' : Scan(t, p);
}

inline int ValueA(int c)
{
    if (c == 0 || c == 128)
        return 64;
    if (c < 32)
        return c + 64;
    if (c <= 95)
        return c - 32;
    static constexpr int kFnc[] = {102, 97, 96, 101}; // FNC1 to FNC4 in subset A
    return kFnc[c - 129];
}

inline int ValueB(int c)
{
    if (c >= 32 && c <= 127)
        return c - 32;
    static constexpr int kFnc[] = {102, 97, 96, 100}; // FNC1 to FNC4 in subset B
    return kFnc[c - 129];
}

// The value sequence with its check value; empty when a character is above 132.
inline std::vector<int> Encode(std::string_view t, bool fnc1, Deliverable who)
{
    for (std::size_t i = 0; i < t.size(); ++i)
        if (Byte(t, i) > 132)
            return {};
    std::vector<int> v;
    char set = t.size() >= 4 && RunCount(t, 0, who) >= 4 ? 'C' : Scan(t, 0);
    v.push_back(set == 'A' ? 103 : set == 'B' ? 104 : 105);
    if (fnc1)
        v.push_back(102);
    std::size_t i = 0;
    while (i < t.size()) {
        const int c = Byte(t, i);
        const bool hasNext = i + 1 < t.size();
        const int next = hasNext ? Byte(t, i + 1) : -1;
        if (set == 'C') {
            if (Digit(c) && hasNext && Digit(next)) {
                v.push_back((c - '0') * 10 + (next - '0'));
                i += 2;
            } else if (c == 129) {
                v.push_back(102);
                ++i;
            } else {
                set = Chooser(t, i, who) == 'B' ? 'B' : 'A';
                v.push_back(set == 'B' ? 100 : 101);
                if (Digit(c)) {
                    v.push_back(c - 32);
                    ++i;
                }
            }
        } else if (Digit(c)) {
            const std::size_t n = RunCount(t, i, who);
            if (n >= 4) {
                if (n % 2 == 1) {
                    v.push_back(c - 32);
                    ++i;
                }
                v.push_back(99);
                set = 'C';
            } else {
                for (std::size_t k = 0; k < n; ++k, ++i)
                    v.push_back(Byte(t, i) - 32);
            }
        } else if (set == 'A' && Lower(c)) {
            const bool shift = hasNext && Control(next);
            v.push_back(shift ? 98 : 100);
            v.push_back(c - 32);
            set = shift ? 'A' : 'B';
            ++i;
        } else if (set == 'B' && Control(c)) {
            const bool shift = hasNext && Lower(next);
            v.push_back(shift ? 98 : 101);
            v.push_back(ValueA(c));
            set = shift ? 'B' : 'A';
            ++i;
        } else {
            v.push_back(set == 'A' ? ValueA(c) : ValueB(c));
            ++i;
        }
    }
    long sum = v[0];
    for (std::size_t k = 1; k < v.size(); ++k)
        sum += long(k) * v[k];
    v.push_back(int(sum % 103));
    return v;
}

// Code value of a VOR128 font character, -1 for a character the font lacks.
inline int FontValue(unsigned char ch)
{
    if ((ch >= 33 && ch <= 126) || (ch >= 130 && ch <= 139))
        return ch - 33;
    if (ch >= 150 && ch <= 152)
        return ch - 56;
    return -1;
}

struct Symbol {
    std::string data; // decoded characters; NUL as 0, FNC1 to FNC4 as 129 to 132
    bool gs1 = false; // FNC1 right after the start character
};

// Reads a font string as a scanner reads the symbol: start, data, check
// (modulo 103 verified), stop. nullopt for anything malformed.
inline std::optional<Symbol> DecodeSymbol(std::string_view font)
{
    std::vector<int> v;
    for (const char ch : font) {
        const int value = FontValue(static_cast<unsigned char>(ch));
        if (value < 0)
            return std::nullopt;
        v.push_back(value);
    }
    if (v.size() < 3 || v.back() != 106 || v[0] < 103 || v[0] > 105)
        return std::nullopt;
    v.pop_back();
    long sum = v[0];
    for (std::size_t k = 1; k + 1 < v.size(); ++k)
        sum += long(k) * v[k];
    if (sum % 103 != v.back())
        return std::nullopt;
    v.pop_back();

    Symbol s;
    char set = char('A' + (v[0] - 103));
    s.gs1 = v.size() > 1 && v[1] == 102;
    for (std::size_t k = s.gs1 ? 2 : 1; k < v.size(); ++k) {
        const int x = v[k];
        if (x >= 103)
            return std::nullopt;
        if (set == 'C') {
            if (x < 100) {
                s.data += char('0' + x / 10);
                s.data += char('0' + x % 10);
            } else if (x == 102) {
                s.data += char(129);
            } else {
                set = x == 100 ? 'B' : 'A';
            }
            continue;
        }
        // Subsets A and B (ISO/IEC 15417 table 1).
        const auto character = [](char in, int y) -> int {
            if (y < 64)
                return y + 32;
            if (y < 96)
                return in == 'A' ? y - 64 : y + 32;
            switch (y) {
            case 96:
                return 131; // FNC3
            case 97:
                return 130; // FNC2
            case 100:
                return in == 'B' ? 132 : -1; // FNC4 in B
            case 101:
                return in == 'A' ? 132 : -1; // FNC4 in A
            case 102:
                return 129; // FNC1
            default:
                return -1;
            }
        };
        if (x == 98) { // SHIFT: the next value only, in the other subset
            if (++k >= v.size())
                return std::nullopt;
            const int c = character(set == 'A' ? 'B' : 'A', v[k]);
            if (c < 0 || v[k] >= 96)
                return std::nullopt;
            s.data += char(c);
        } else if (x == 99) {
            set = 'C';
        } else if (x == (set == 'A' ? 100 : 101)) {
            set = set == 'A' ? 'B' : 'A';
        } else {
            const int c = character(set, x);
            if (c < 0)
                return std::nullopt;
            s.data += char(c);
        }
    }
    return s;
}

// What a scanner reports for a decoded text: NUL written as 128 reads as 0.
inline std::string AsScanned(std::string_view decoded)
{
    std::string out(decoded);
    for (char& c : out)
        if (static_cast<unsigned char>(c) == 128)
            c = 0;
    return out;
}

// A random decoded text over 0 to 132, weighted towards the characters that
// drive subset changes: digits, FNC1, controls, NUL, lower case.
inline std::string RandomDecoded(std::mt19937& rng, std::size_t length)
{
    std::uniform_int_distribution<int> kind(0, 9), any(0, 132), digit('0', '9'), control(0, 31), lower(96, 127),
        fnc(129, 132), shared(32, 95);
    std::string t;
    for (std::size_t i = 0; i < length; ++i) {
        switch (kind(rng)) {
        case 0:
        case 1:
        case 2:
            t += char(digit(rng));
            break;
        case 3:
            t += char(129);
            break;
        case 4:
            t += char(control(rng));
            break;
        case 5:
            t += char(lower(rng));
            break;
        case 6:
            t += char(fnc(rng));
            break;
        case 7:
            t += char(shared(rng));
            break;
        case 8:
            t += char(rng() % 2 ? 0 : 128);
            break;
        default:
            t += char(any(rng));
            break;
        }
    }
    return t;
}

// Writes a decoded text as a text with escapes, in a random mix of raw bytes
// and the hexadecimal, decimal and octal escape forms (all with their full
// digit count, so that a following digit is never taken in).
inline std::string RandomEscaped(std::mt19937& rng, std::string_view decoded)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char ch : decoded) {
        const unsigned c = static_cast<unsigned char>(ch);
        switch (c == '\\' ? 4 : rng() % 4) {
        case 0:
            out += ch;
            break;
        case 1:
            out += "\\x", out += kHex[c / 16], out += kHex[c % 16];
            break;
        case 2:
            out += "\\d", out += char('0' + c / 100), out += char('0' + c / 10 % 10), out += char('0' + c % 10);
            break;
        case 3:
            out += '\\', out += char('0' + c / 64), out += char('0' + c / 8 % 8), out += char('0' + c % 8);
            break;
        default:
            out += rng() % 2 ? "\\\\" : "\\x5C";
            break;
        }
    }
    return out;
}

} // namespace lum::code128ref
