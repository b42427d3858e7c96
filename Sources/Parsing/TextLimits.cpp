#include "Parsing/TextLimits.hpp"

#include "Support/LogStream.hpp"
#include "Parsing/NestingDepth.hpp"

namespace QRV {
namespace Payload {

int NestingDepth(const std::string& text, int limit)
{
    int depth = 0;
    int deepest = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        switch (c) {
            case '"':
                inString = true;
                break;
            case '[':
            case '{':
                if (++depth > deepest) {
                    deepest = depth;
                    if (deepest > limit)
                        return deepest;
                }
                break;
            case ']':
            case '}':
                if (depth > 0)
                    --depth;
                break;
            default:
                break;
        }
    }
    return deepest;
}

std::optional<std::string> LimitBreach(const std::string& text)
{
    if (text.size() > MaxTextBytes)
        return "the text is " + std::to_string(text.size()) + " bytes, more than the limit of " +
               std::to_string(MaxTextBytes) + " bytes";
    if (NestingDepth(text, MaxNestingDepth) > MaxNestingDepth)
        return "the text nests deeper than the limit of " + std::to_string(MaxNestingDepth) + " levels";
    return std::nullopt;
}

bool WithinLimits(const std::string& text, const char* what)
{
    const std::optional<std::string> breach = LimitBreach(text);
    if (!breach)
        return true;
    LogStream::Instance().Error(std::string(what) + ": refused, " + *breach);
    return false;
}

}  // namespace Payload
}  // namespace QRV
