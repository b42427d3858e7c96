#include "WebAddress.hpp"
#include "Support/Utf8.hpp"

#include <algorithm>
#include <cctype>
#include <string>

namespace QRV {
namespace {

bool IsForbiddenCharacter(unsigned char c)
{
    // Control characters and the characters that never stand unescaped in an address.
    return c <= 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
           c == '{' || c == '|' || c == '}';
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool IsValidHost(const std::string& host)
{
    if (host.empty())
        return false;
    if (host.front() == '[')  // an IPv6 literal
        return host.size() > 2 && host.back() == ']' &&
               host.find_first_not_of("0123456789abcdefABCDEF:.", 1) == host.size() - 1;
    return host.find_first_of("[]@:") == std::string::npos && host.front() != '.' && host.front() != '-';
}

bool IsEncodedCharacter(unsigned char c)
{
    return c == ' ' || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' || c == '{' ||
           c == '|' || c == '}';
}

}  // namespace

GS::UniString EncodeWebAddress(const GS::UniString& text)
{
    const std::string& url = ToUtf8(text);
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos)
        return text;
    const size_t authorityEnd = url.find_first_of("/?#", schemeEnd + 3);
    if (authorityEnd == std::string::npos)
        return text;
    std::string encoded = url.substr(0, authorityEnd);
    static const char* const digits = "0123456789ABCDEF";
    for (size_t i = authorityEnd; i < url.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(url[i]);
        if (IsEncodedCharacter(c)) {
            encoded += '%';
            encoded += digits[c >> 4];
            encoded += digits[c & 0x0F];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return FromUtf8(encoded);
}

bool IsAbsoluteWebAddress(const GS::UniString& text)
{
    const std::string& url = ToUtf8(text);
    if (std::any_of(url.begin(), url.end(), [](char c) { return IsForbiddenCharacter(static_cast<unsigned char>(c)); }))
        return false;
    const size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos)
        return false;
    const std::string scheme = Lower(url.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https")
        return false;

    const size_t authorityStart = schemeEnd + 3;
    const size_t authorityEnd = std::min(url.find_first_of("/?#", authorityStart), url.size());
    std::string authority = url.substr(authorityStart, authorityEnd - authorityStart);
    const size_t userInfoEnd = authority.rfind('@');
    if (userInfoEnd != std::string::npos)
        authority.erase(0, userInfoEnd + 1);

    std::string host = authority;
    const size_t portStart = authority.rfind(':');
    if (portStart != std::string::npos && authority.find(']', portStart) == std::string::npos) {
        const std::string port = authority.substr(portStart + 1);
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
            return false;
        host = authority.substr(0, portStart);
    }
    return IsValidHost(host);
}

}  // namespace QRV
