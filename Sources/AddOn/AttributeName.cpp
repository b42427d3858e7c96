#include "AttributeName.hpp"

#include "Utf8.hpp"

#include <cstring>
#include <string>

namespace QRV {

bool SetAttributeName(API_Attr_Head& header, const GS::UniString& name)
{
    // The header's name is UTF-8.
    const std::string narrow = ToUtf8(name);
    if (narrow.size() >= sizeof header.name) {
        header.name[0] = '\0';
        return false;
    }
    std::memcpy(header.name, narrow.c_str(), narrow.size() + 1);
    return true;
}

}  // namespace QRV
