#include "Calculation/ElemInfo.hpp"

#include "Calculation/CalculationJson.hpp"
#include "Support/Utf8.hpp"

namespace QRV {

ElemInfo ElemInfo::CurtainWall(const GS::UniString& name)
{
    ElemInfo info;
    info.kind = Kind::CurtainWall;
    info.name = name;
    return info;
}

ElemInfo ElemInfo::Stair(const GS::UniString& name)
{
    ElemInfo info;
    info.kind = Kind::Stair;
    info.familyName = "Assembled Stair";
    info.typeName = name;
    info.type = "Stairs";
    return info;
}

void ElemInfo::Absorb(const ElemInfo& other)
{
    if (kind == Kind::Stair)
        volume += other.volume;
    else
        area += other.area;
}

nlohmann::json ElemInfo::ToJson() const
{
    if (kind == Kind::CurtainWall)
        return {{"type", ToUtf8(type)},
                {"name", ToUtf8(name)},
                {"area", area},
                {"id", ToUtf8(id)},
                {"bim_uuid", ToUtf8(bimUuid)},
                {"attributes", CalculationJson::Properties(attributes)}};
    return {{"family_name", ToUtf8(familyName)},
            {"type_name", ToUtf8(typeName)},
            {"type", ToUtf8(type)},
            {"id", ToUtf8(id)},
            {"volume", volume},
            {"run_type_material_name", ToUtf8(runTypeMaterialName)},
            {"landing_type_material_name", ToUtf8(landingTypeMaterialName)},
            {"right_support_type_name", ToUtf8(rightSupportTypeName)},
            {"left_support_type_name", ToUtf8(leftSupportTypeName)},
            {"bim_uuid", ToUtf8(bimUuid)},
            {"attributes", CalculationJson::Properties(attributes)}};
}

}  // namespace QRV
