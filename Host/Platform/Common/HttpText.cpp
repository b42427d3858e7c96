#include "HttpText.hpp"

namespace Platform {
namespace Detail {

std::string EscapeUnsafeUrlBytes(const std::string& text)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string escaped;
    for (unsigned char c : text) {
        if (c <= 0x20 || c >= 0x7F) {
            escaped += '%';
            escaped += hex[c >> 4];
            escaped += hex[c & 0x0F];
        } else {
            escaped += static_cast<char>(c);
        }
    }
    return escaped;
}

bool SplitHeaderLines(const std::string& text, std::vector<std::string>& lines)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line.find_first_of("\r\n") != std::string::npos)
            return false;
        if (!line.empty())
            lines.push_back(line);
        start = end + 2;
    }
    return true;
}

}  // namespace Detail
}  // namespace Platform
