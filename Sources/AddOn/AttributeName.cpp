#include "AttributeName.hpp"

#include <cstring>

namespace QRV {

bool SetAttributeName(API_Attr_Head& header, const GS::UniString& name)
{
    const std::string narrow = name.ToCStr(CC_Default).Get();
    if (narrow.size() >= sizeof header.name) {
        header.name[0] = '\0';
        return false;
    }
    std::memcpy(header.name, narrow.c_str(), narrow.size() + 1);
    return true;
}

}  // namespace QRV
