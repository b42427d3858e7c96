// Classification systems and items.
#pragma once

#include "APIdefs_Base.h"
#include "GSRoot/Array.hpp"
#include "GSRoot/Pair.hpp"

struct API_DateRecord {
    Int32 year = 0;
    Int32 month = 0;
    Int32 day = 0;
};

struct API_ClassificationSystem {
    API_Guid guid{};
    GS::UniString name;
    GS::UniString description;
    GS::UniString source;
    GS::UniString editionVersion;
    API_DateRecord editionDate;
};

struct API_ClassificationItem {
    API_Guid guid{};
    GS::UniString id;
    GS::UniString name;
    GS::UniString description;
};

// (classification system, classification item) pairs of an attribute or element.
using API_ClassificationItemPairs = GS::Array<GS::Pair<API_Guid, API_Guid>>;
