#include "fonts/render/png_encoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include <zlib.h>

namespace lum::render {
namespace {

// Deflate (RFC 1951) with the fixed Huffman codes of section 3.2.6.
constexpr std::array<std::uint16_t, 29> kLengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                    31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase{1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                                      33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                                      1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra{0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                      6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
static_assert(kLengthBase.size() == kLengthExtra.size() && kDistanceBase.size() == kDistanceExtra.size());

constexpr int kMaxMatch = 258;
constexpr int kMinMatch = 3;
constexpr std::size_t kWindow = 32768;

struct Code {
    std::uint16_t bits; // the Huffman code reversed: deflate sends codes most significant bit first
    std::uint8_t length;
};

constexpr std::uint16_t Reversed(unsigned code, int length)
{
    unsigned out = 0;
    for (int i = 0; i < length; ++i)
        out |= ((code >> i) & 1u) << (length - 1 - i);
    return std::uint16_t(out);
}

// The fixed literal/length codes (RFC 1951, 3.2.6).
constexpr std::array<Code, 288> kLiteralCodes = [] {
    std::array<Code, 288> codes{};
    for (unsigned s = 0; s < 288; ++s) {
        const auto [base, first, length] = s < 144   ? std::array<unsigned, 3>{0x30, 0, 8}
                                           : s < 256 ? std::array<unsigned, 3>{0x190, 144, 9}
                                           : s < 280 ? std::array<unsigned, 3>{0, 256, 7}
                                                     : std::array<unsigned, 3>{0xC0, 280, 8};
        codes[s] = {Reversed(base + s - first, int(length)), std::uint8_t(length)};
    }
    return codes;
}();

// Length code index (0 to 28) of every match length.
constexpr std::array<std::uint8_t, kMaxMatch + 1> kLengthCode = [] {
    std::array<std::uint8_t, kMaxMatch + 1> codes{};
    for (int length = kMinMatch, l = 0; length <= kMaxMatch; ++length) {
        while (l + 1 < int(kLengthBase.size()) && kLengthBase[std::size_t(l + 1)] <= length)
            ++l;
        codes[std::size_t(length)] = std::uint8_t(l);
    }
    return codes;
}();

// Deflate bits, least significant first, into a string.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}

    void Bits(std::uint32_t value, int count)
    {
        buffer_ |= std::uint64_t(value) << filled_;
        filled_ += count;
        if (filled_ >= 32) {
            const char bytes[4] = {char(buffer_), char(buffer_ >> 8), char(buffer_ >> 16), char(buffer_ >> 24)};
            out_.append(bytes, 4);
            buffer_ >>= 32;
            filled_ -= 32;
        }
    }
    void Flush()
    {
        for (; filled_ > 0; filled_ -= 8, buffer_ >>= 8)
            out_.push_back(char(buffer_ & 0xFF));
        filled_ = 0;
    }

private:
    std::string& out_;
    std::uint64_t buffer_ = 0;
    int filled_ = 0;
};

void Literal(BitWriter& w, unsigned symbol) { w.Bits(kLiteralCodes[symbol].bits, kLiteralCodes[symbol].length); }

// The code of a distance, with its extra bits, worked out once per distance.
struct DistanceCode {
    std::uint32_t bits; // the 5-bit code reversed, then the extra bits
    int length;
    explicit DistanceCode(std::size_t distance)
    {
        int d = 0;
        while (d + 1 < int(kDistanceBase.size()) && kDistanceBase[std::size_t(d + 1)] <= distance)
            ++d;
        const int extra = kDistanceExtra[std::size_t(d)];
        bits = Reversed(unsigned(d), 5) | std::uint32_t(distance - kDistanceBase[std::size_t(d)]) << 5;
        length = 5 + extra;
    }
};

// One reference of kMinMatch to kMaxMatch bytes.
void Match(BitWriter& w, int length, const DistanceCode& distance)
{
    const std::size_t l = kLengthCode[std::size_t(length)];
    Literal(w, 257 + unsigned(l));
    w.Bits(std::uint32_t(length - kLengthBase[l]), kLengthExtra[l]);
    w.Bits(distance.bits, distance.length);
}

// `count` (at least kMinMatch) bytes that repeat the bytes `distance` back,
// as references.
void Repeat(BitWriter& w, std::size_t count, const DistanceCode& distance)
{
    while (count >= std::size_t(kMinMatch)) {
        // Keep a remainder of at least kMinMatch for the last reference.
        std::size_t take = std::min<std::size_t>(count, kMaxMatch);
        if (count - take != 0 && count - take < std::size_t(kMinMatch))
            take = count - kMinMatch;
        Match(w, int(take), distance);
        count -= take;
    }
}

// How many bytes at the start of `a` and `b` are equal: eight at a time,
// the first difference found from the lowest set bit of their exclusive or.
std::size_t MatchingBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t n)
{
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (std::uint64_t x, y; i + 8 <= n; i += 8) {
            std::memcpy(&x, a + i, 8);
            std::memcpy(&y, b + i, 8);
            if (x != y)
                return i + std::size_t(std::countr_zero(x ^ y) / 8);
        }
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

// Adler-32 (RFC 1950) continued over `n` bytes; zlib's own is slow to start
// on the short rows this is called for.
uLong Adler32(uLong adler, const std::uint8_t* bytes, std::size_t n)
{
    constexpr std::uint32_t kBase = 65521;
    constexpr std::size_t kMaxBeforeModulo = 5552; // the most bytes before the sums may overflow 32 bits
    std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
    while (n > 0) {
        const std::size_t chunk = std::min(n, kMaxBeforeModulo);
        for (std::size_t i = 0; i < chunk; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= kBase;
        b %= kBase;
        bytes += chunk;
        n -= chunk;
    }
    return uLong(b) << 16 | a;
}

// A row's bytes: spans equal to the row above (when `above` is given) as
// references to it, runs of equal bytes as references to the byte before,
// the rest as literals.
void RowBytes(BitWriter& w, const std::uint8_t* row, const std::uint8_t* above, std::size_t n, const DistanceCode& up)
{
    static const DistanceCode previousByte(1);
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i;
        if (above) {
            j += MatchingBytes(row + j, above + j, n - j);
            if (j - i >= std::size_t(kMinMatch)) {
                Repeat(w, j - i, up);
                i = j;
                continue;
            }
        }
        j = i + 1;
        while (j < n && row[j] == row[i])
            ++j;
        Literal(w, row[i]);
        std::size_t run = j - i - 1; // the bytes after the first that repeat it
        if (run >= std::size_t(kMinMatch)) {
            Repeat(w, run, previousByte);
            run = 0;
        }
        for (; run > 0; --run)
            Literal(w, row[i]);
        i = j;
    }
}

// The Adler-32 of `count` copies of a sequence of `length` bytes whose
// Adler-32 is `adler`, by doubling.
uLong RepeatedAdler(uLong adler, std::size_t length, int count)
{
    uLong result = adler32(0, nullptr, 0);
    auto size = z_off_t(length);
    for (; count > 0; count >>= 1) {
        if (count & 1)
            result = adler32_combine(result, adler, size);
        adler = adler32_combine(adler, adler, size);
        size *= 2;
    }
    return result;
}

void Put32(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(char((v >> shift) & 0xFF));
}

void Chunk(std::string& out, const char* type, const std::string& data)
{
    Put32(out, std::uint32_t(data.size()));
    const std::size_t start = out.size();
    out.append(type, 4);
    out += data;
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
    Put32(out, std::uint32_t(crc32(0, bytes, uInt(out.size() - start))));
}

} // namespace

void EncodeGreyPng(std::string& out, int width, int height, int bitDepth, int dpi, const std::uint8_t* const* rows)
{
    const std::size_t stride = (std::size_t(width) * std::size_t(bitDepth) + 7) / 8;
    const std::size_t line = stride + 1; // the filter byte (0, none) and the row
    out.append("\x89PNG\r\n\x1a\n", 8);

    std::string header;
    Put32(header, std::uint32_t(width));
    Put32(header, std::uint32_t(height));
    header += char(bitDepth);
    header.append("\0\0\0\0", 4); // greyscale; deflate; adaptive filtering; not interlaced
    Chunk(out, "IHDR", header);

    if (dpi > 0) {
        std::string phys;
        const auto perMetre = std::uint32_t(std::lround(dpi / 0.0254));
        Put32(phys, perMetre);
        Put32(phys, perMetre);
        phys += char(1); // unit: metre
        Chunk(out, "pHYs", phys);
    }

    std::string data("\x78\x01", 2); // zlib: deflate, 32 KiB window, no dictionary
    data.reserve(4096);
    BitWriter w(data);
    w.Bits(1, 1); // the last block
    w.Bits(1, 2); // fixed Huffman codes
    const std::uint8_t filter = 0;
    // The Adler-32 of the filter byte alone: sum 1 + 0, and that sum again.
    constexpr uLong kAfterFilterByte = 0x00010001;
    uLong adler = adler32(0, nullptr, 0);
    uLong rowAdler = adler;
    const DistanceCode rowAbove(line);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rows[y];
        const auto same = [&](const std::uint8_t* other) {
            return other == row || std::memcmp(other, row, stride) == 0;
        };
        const bool repeats = y > 0 && line <= kWindow && line >= std::size_t(kMinMatch) && same(rows[y - 1]);
        if (repeats) {
            int count = 1;
            while (y + count < height && same(rows[y + count]))
                ++count;
            Repeat(w, line * std::size_t(count), rowAbove);
            adler = adler32_combine(adler, RepeatedAdler(rowAdler, line, count), z_off_t(line) * count);
            y += count - 1;
            continue;
        }
        Literal(w, filter);
        RowBytes(w, row, y > 0 && line <= kWindow ? rows[y - 1] : nullptr, stride, rowAbove);
        rowAdler = Adler32(kAfterFilterByte, row, stride);
        adler = adler32_combine(adler, rowAdler, z_off_t(line));
    }
    Literal(w, 256); // end of block
    w.Flush();
    Put32(data, std::uint32_t(adler));
    Chunk(out, "IDAT", data);
    Chunk(out, "IEND", {});
}

} // namespace lum::render
