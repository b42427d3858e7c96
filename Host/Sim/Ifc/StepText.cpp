#include "Ifc/StepText.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Sim::Ifc {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// The next code point of `text` at `at`, moving `at` past it.
char32_t NextCodePoint(const std::string& text, size_t& at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        ++at;
        return Replacement;
    }
    if (at + length > text.size()) {
        ++at;
        return Replacement;
    }
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            ++at;
            return Replacement;
        }
        value = (value << 6) | (byte(at + i) & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < smallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++at;
        return Replacement;
    }
    at += length;
    return value;
}

std::string Hex(unsigned value, int digits)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, value);
    return buffer;
}

}  // namespace

std::string StepString(const std::string& utf8)
{
    std::string out = "'";
    // Runs of wide characters share one \X2\ ... \X0\ (or \X4\) bracket.
    enum class Run { None, Two, Four } run = Run::None;
    const auto closeRun = [&] {
        if (run != Run::None)
            out += "\\X0\\";
        run = Run::None;
    };
    size_t at = 0;
    while (at < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, at);
        if (c >= 0x20 && c < 0x7F) {
            closeRun();
            if (c == '\'')
                out += "''";
            else if (c == '\\')
                out += "\\\\";
            else
                out += static_cast<char>(c);
        } else if (c <= 0xFFFF) {
            if (run != Run::Two) {
                closeRun();
                out += "\\X2\\";
                run = Run::Two;
            }
            out += Hex(static_cast<unsigned>(c), 4);
        } else {
            if (run != Run::Four) {
                closeRun();
                out += "\\X4\\";
                run = Run::Four;
            }
            out += Hex(static_cast<unsigned>(c), 8);
        }
    }
    closeRun();
    return out + "'";
}

std::string StepReal(double value)
{
    if (!std::isfinite(value))
        value = 0.0;
    char buffer[40];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*G", precision, value);
        if (std::strtod(buffer, nullptr) == value)
            break;
    }
    std::string text = buffer;
    const size_t exponent = text.find('E');
    const std::string mantissa = text.substr(0, exponent);
    if (mantissa.find('.') == std::string::npos)
        text.insert(exponent == std::string::npos ? text.size() : exponent, ".");
    return text;
}

std::string StepRef(int id) { return "#" + std::to_string(id); }

std::string StepEnum(const std::string& name) { return "." + name + "."; }

std::string StepList(const std::vector<std::string>& items)
{
    std::string out = "(";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i > 0 ? "," : "") + items[i];
    return out + ")";
}

std::string StepRefList(const std::vector<int>& ids)
{
    std::vector<std::string> refs;
    for (int id : ids)
        refs.push_back(StepRef(id));
    return StepList(refs);
}

}  // namespace Sim::Ifc
