#include "AttributeName.hpp"

#include "Utf8.hpp"

#include <cstring>
#include <string>

namespace QRV {

bool SetAttributeName(API_Attr_Head& header, const GS::UniString& name)
{
    // The header's field holds UTF-8; the string pointer stays unused, so the field is what the host reads.
    header.uniStringNamePtr = nullptr;
    const std::string narrow = ToUtf8(name);
    // A zero byte would end the name early, so that it could name another attribute.
    if (narrow.size() >= sizeof header.name || narrow.find('\0') != std::string::npos) {
        header.name[0] = '\0';
        return false;
    }
    std::memcpy(header.name, narrow.c_str(), narrow.size() + 1);
    return true;
}

}  // namespace QRV
