// One group of curtain walls or of stairs, named by the elements' IFC name.
#pragma once

#include "Parsing/Items/CorvanaProperties.hpp"

#include <nlohmann/json.hpp>

namespace QRV {

class ElemInfo {
public:
    enum class Kind { CurtainWall, Stair };

    static ElemInfo CurtainWall(const GS::UniString& name);
    static ElemInfo Stair(const GS::UniString& name);

    Kind kind = Kind::CurtainWall;
    GS::UniString familyName;                // stairs
    GS::UniString typeName;                  // stairs: the group's name
    GS::UniString type;
    GS::UniString id;                        // GUID text of the first element
    GS::UniString name;                      // curtain walls: the group's name
    GS::UniString runTypeMaterialName;       // stairs; the model gives none of these four
    GS::UniString landingTypeMaterialName;
    GS::UniString rightSupportTypeName;
    GS::UniString leftSupportTypeName;
    GS::UniString bimUuid;
    double area = 0.0;                       // curtain walls
    double volume = 0.0;                     // stairs
    CorvanaProperties attributes;

    const GS::UniString& GroupName() const { return kind == Kind::Stair ? typeName : name; }
    // Another element of the group: only its quantity counts.
    void Absorb(const ElemInfo& other);

    nlohmann::json ToJson() const;
};

}  // namespace QRV
