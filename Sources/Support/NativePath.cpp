#include "NativePath.hpp"

#include <string>

namespace QRV {

std::filesystem::path ToNativePath(const GS::UniString& text)
{
    const USize length = text.GetLength();
    std::u16string units(length, u'\0');
    for (UIndex i = 0; i < length; ++i)
        units[i] = static_cast<char16_t>(static_cast<GS::UniChar::Layout>(text[i]));
    return std::filesystem::path(units);
}

GS::UniString FromNativePath(const std::filesystem::path& path)
{
    return GS::UniString(std::u16string_view(path.u16string()));
}

GS::UniString JoinNativePath(const GS::UniString& folder, const GS::UniString& name)
{
    std::filesystem::path joined = ToNativePath(folder) / ToNativePath(name);
    return FromNativePath(joined.make_preferred());
}

}  // namespace QRV
