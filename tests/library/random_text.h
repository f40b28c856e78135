// Random texts for the library suite, reproducible from a fixed seed.
#pragma once

#include <cstddef>
#include <random>
#include <string>
#include <string_view>

namespace lumtest {

class RandomText {
public:
    explicit RandomText(unsigned seed) : engine_(seed) {}

    std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(engine_); }

    // Bytes 0x01 to 0xFF.
    std::string Bytes(std::size_t n)
    {
        std::string s(n, '\0');
        for (char& c : s)
            c = static_cast<char>(1 + Below(255));
        return s;
    }

    std::string From(std::string_view pool, std::size_t n)
    {
        std::string s(n, '\0');
        for (char& c : s)
            c = pool[Below(pool.size())];
        return s;
    }

    // Ordinary characters mixed with every form of escape, some cut short;
    // exactly n bytes (the last escape may be cut off by the length).
    std::string Escapes(std::size_t n)
    {
        static constexpr std::string_view kSimple = "abtnvfr\"'?\\ABTNVFR";
        static constexpr std::string_view kHex = "0123456789abcdefABCDEF";
        std::string s;
        while (s.size() < n) {
            switch (Below(8)) {
            case 0:
                s += From("abcxyzABCXYZ0123456789 ", 1 + Below(3));
                break;
            case 1:
                s += '\\';
                s += kSimple[Below(kSimple.size())];
                break;
            case 2:
                s += Below(2) ? "\\d" : "\\D";
                s += From("0123456789", Below(4));
                break;
            case 3:
                s += '\\';
                s += From("01234567", 1 + Below(3));
                break;
            case 4:
                s += Below(2) ? "\\x" : "\\X";
                s += From(kHex, Below(3));
                break;
            case 5:
                s += '\\';
                s += static_cast<char>(1 + Below(255));
                break;
            case 6:
                s += "\\d";
                s += std::to_string(100 + Below(200));
                break; // FNC range and above 255
            default:
                s += '\\';
                break;
            }
        }
        s.resize(n);
        return s;
    }

    // A text of length n in one of the shapes the catalogue's rules and
    // encoders take (digits, Code 39 set, hexadecimal, Codabar framing, 7-bit
    // and 8-bit bytes, escapes); `kind` picks the shape, modulo Kinds().
    static constexpr std::size_t Kinds() { return 11; }
    std::string Shaped(std::size_t kind, std::size_t n)
    {
        switch (kind % Kinds()) {
        case 0:
            return From("0123456789", n);
        case 1:
            return From("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-._$/+%abcxyz", n);
        case 2:
            return From("0123456789ABCDEFabcdef", n);
        case 3:
            return From("0123456789KLMOklmo", n);
        case 4:
            return From("0123456789-", n);
        case 5: {
            if (n < 2)
                return From("ABCDEMT*abcdemt", n);
            return From("ABCDEMT*abcdemt", 1) + From("0123456789-$:/.+", n - 2) + From("ABCDEMT*abcdemt", 1);
        }
        case 6:
            return From("abcdefghijklmnopqrstuvwxyz", n); // two symbols each in Full ASCII
        case 7: {
            std::string s(n, '\0');
            for (char& c : s)
                c = static_cast<char>(1 + Below(127));
            return s;
        }
        case 8: {
            std::string s(n, '\0');
            for (char& c : s)
                c = static_cast<char>(1 + Below(31)); // control characters
            return s;
        }
        case 9:
            return Bytes(n);
        default:
            return Escapes(n);
        }
    }

private:
    std::mt19937 engine_;
};

// A text for a failure message: printable ASCII as it is, other bytes as \xNN.
inline std::string Printable(std::string_view text, std::size_t limit = 120)
{
    std::string out;
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (text.size() > limit)
        out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

} // namespace lumtest
