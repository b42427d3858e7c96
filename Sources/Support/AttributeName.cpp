#include "AttributeName.hpp"

#include "Utf8.hpp"

#include <cstring>
#include <string>

namespace QRV {

namespace {

constexpr size_t NameFieldSize = sizeof API_Attr_Head::name;

}  // namespace

std::string AttributeNameProblem(const GS::UniString& name)
{
    const std::string narrow = ToUtf8(name);
    // A zero byte would end the name early, so that it could name another attribute.
    if (narrow.find('\0') != std::string::npos)
        return "holds a zero character, which would end the name early in the host's name field";
    if (narrow.size() >= NameFieldSize)
        return "is longer than the host's " + std::to_string(NameFieldSize - 1) + "-byte name field";
    return std::string();
}

bool SetAttributeName(API_Attr_Head& header, const GS::UniString& name)
{
    // The header's field holds UTF-8; the string pointer stays unused, so the field is what the host reads.
    header.uniStringNamePtr = nullptr;
    const std::string narrow = ToUtf8(name);
    if (!AttributeNameProblem(name).empty()) {
        header.name[0] = '\0';
        return false;
    }
    std::memcpy(header.name, narrow.c_str(), narrow.size() + 1);
    return true;
}

}  // namespace QRV
