#include "Calculation/ElemInfo.hpp"

#include "Calculation/CalculationJson.hpp"

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
        return {{"type", type.ToStdString()},
                {"name", name.ToStdString()},
                {"area", area},
                {"id", id.ToStdString()},
                {"bim_uuid", bimUuid.ToStdString()},
                {"attributes", CalculationJson::Properties(attributes)}};
    return {{"family_name", familyName.ToStdString()},
            {"type_name", typeName.ToStdString()},
            {"type", type.ToStdString()},
            {"id", id.ToStdString()},
            {"volume", volume},
            {"run_type_material_name", runTypeMaterialName.ToStdString()},
            {"landing_type_material_name", landingTypeMaterialName.ToStdString()},
            {"right_support_type_name", rightSupportTypeName.ToStdString()},
            {"left_support_type_name", leftSupportTypeName.ToStdString()},
            {"bim_uuid", bimUuid.ToStdString()},
            {"attributes", CalculationJson::Properties(attributes)}};
}

}  // namespace QRV
