#include "Utf8.hpp"

namespace QRV {

std::string ToUtf8(const GS::UniString& text)
{
    const auto bytes = text.ToCStr(CC_UTF8);
    return std::string(bytes.Get(), bytes.GetLength());
}

GS::UniString FromUtf8(const std::string& text)
{
    return GS::UniString(text.data(), static_cast<USize>(text.size()), CC_UTF8);
}

}  // namespace QRV
