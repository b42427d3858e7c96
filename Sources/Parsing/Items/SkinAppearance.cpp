#include "Parsing/Items/SkinAppearance.hpp"

#include "APIdefs_Attributes.h"
#include "Support/ModuleState.hpp"

namespace QRV {
namespace {

struct AppearanceRow {
    SkinAppearance core;
    SkinAppearance finish;
    SkinAppearance other;
};

constexpr AppearanceRow InternationalTable{{4, 21, 19, 3}, {14, 1, 19, 18}, {64, 181, 19, 18}};
constexpr AppearanceRow GermanTable{{63, 3, 19, 54}, {14, 1, 19, 18}, {64, 93, 19, 57}};

}  // namespace

Int16 SkinFlagsForLayerType(const GS::UniString& layerType)
{
    if (layerType == "Core")
        return APICWallComp_Core;
    if (layerType == "Finish")
        return APICWallComp_Finish;
    return 0;
}

SkinAppearance AppearanceForLayerType(const GS::UniString& layerType)
{
    const AppearanceRow& table = HostLanguage() == "GER" ? GermanTable : InternationalTable;
    if (layerType == "Core")
        return table.core;
    if (layerType == "Finish")
        return table.finish;
    return table.other;
}

}  // namespace QRV
