#include "Ifc/IfcGuid.hpp"
#include "SimUtf8.hpp"

#include <cstdint>

namespace Sim::Ifc {
namespace {

constexpr char Alphabet[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::uint64_t Fnv1a(const std::string& text, std::uint64_t basis)
{
    std::uint64_t hash = basis;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

}  // namespace

std::string CompressedGuid(const unsigned char (&bytes)[16])
{
    // The first byte gives two characters (2 + 6 bits), then each three bytes give four.
    std::string out;
    out += Alphabet[bytes[0] >> 6];
    out += Alphabet[bytes[0] & 0x3F];
    for (int i = 1; i < 16; i += 3) {
        const std::uint32_t group = (std::uint32_t(bytes[i]) << 16) | (std::uint32_t(bytes[i + 1]) << 8) | bytes[i + 2];
        for (int shift = 18; shift >= 0; shift -= 6)
            out += Alphabet[(group >> shift) & 0x3F];
    }
    return out;
}

std::string CompressedGuid(const API_Guid& guid)
{
    const std::string text = Sim::Utf8(APIGuidToString(guid));
    unsigned char bytes[16] = {};
    int count = 0;
    for (size_t i = 0; i + 1 < text.size() && count < 16; ++i) {
        if (text[i] == '-')
            continue;
        bytes[count++] = static_cast<unsigned char>(HexValue(text[i]) * 16 + HexValue(text[i + 1]));
        ++i;
    }
    return CompressedGuid(bytes);
}

std::string DerivedCompressedGuid(const std::string& owner, const std::string& role)
{
    const std::string key = owner + '\n' + role;
    const std::uint64_t high = Fnv1a(key, 0xCBF29CE484222325ull);
    const std::uint64_t low = Fnv1a(key, high ^ 0x9E3779B97F4A7C15ull);
    unsigned char bytes[16];
    for (int i = 0; i < 8; ++i) {
        bytes[i] = static_cast<unsigned char>(high >> (56 - 8 * i));
        bytes[8 + i] = static_cast<unsigned char>(low >> (56 - 8 * i));
    }
    bytes[6] = static_cast<unsigned char>((bytes[6] & 0x0F) | 0x50);  // a name-based GUID
    bytes[8] = static_cast<unsigned char>((bytes[8] & 0x3F) | 0x80);
    return CompressedGuid(bytes);
}

}  // namespace Sim::Ifc
