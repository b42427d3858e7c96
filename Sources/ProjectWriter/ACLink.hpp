// The project writer: everything an importer writes into the open project goes through one ACLink, made
// fresh for each importer.
#pragma once

#include "APIdefs_Attributes.h"
#include "Parsing/PayloadReading.hpp"

#include <set>
#include <string>

namespace QRV {

class Material;

class ACLink {
public:
    ACLink();
    virtual ~ACLink();

    // Creates the building material, or overwrites the existing one of that name; leaves "imported",
    // "overwritten" or "failed" in the item. False when the host refused.
    bool CreateMaterial(Material& material);

    // A "curtain wall" or "stair" product matched to placed elements by their IFC name. Returns the host
    // code of the element listing, or -128 when the user declined to replace what an earlier import stored.
    GSErrCode ImportNamedProduct(const Json& payload, const GS::UniString& importType);
};

// Names of the building materials created during the current bulk run.
std::set<std::string>& MaterialsCreatedInBulkRun();

}  // namespace QRV
