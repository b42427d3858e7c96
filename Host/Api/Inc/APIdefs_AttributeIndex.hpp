// API_AttributeIndex: an attribute's index in its type's table, a value type of its own (not an integer),
// made from a number only through ACAPI_CreateAttributeIndex.
#pragma once

#include "Definitions.hpp"
#include "UniString.hpp"

#include <type_traits>

class API_AttributeIndex;
API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);

class API_AttributeIndex {
public:
    bool operator==(const API_AttributeIndex& rightOp) const { return attributeIndex == rightOp.attributeIndex; }
    bool operator!=(const API_AttributeIndex& rightOp) const { return !operator==(rightOp); }

    Int32 ToInt32_Deprecated() const { return attributeIndex; }
    ULong GenerateHashValue() const { return static_cast<ULong>(attributeIndex); }
    GS::UniString ToUniString() const;

    bool IsPositive() const { return attributeIndex > 0; }
    bool IsNegative() const { return attributeIndex < 0; }

private:
    friend API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index);
    Int32 attributeIndex;
};

inline API_AttributeIndex ACAPI_CreateAttributeIndex(Int32 index)
{
    API_AttributeIndex attributeIndex;
    attributeIndex.attributeIndex = index;
    return attributeIndex;
}

inline GS::UniString API_AttributeIndex::ToUniString() const
{
    return GS::UniString::Printf("%d", static_cast<int>(attributeIndex));
}

static_assert(std::is_trivial<API_AttributeIndex>::value && std::is_standard_layout<API_AttributeIndex>::value,
              "an attribute index is plain data");
static_assert(sizeof(API_AttributeIndex) == sizeof(Int32), "an attribute index is 32 bits");

static const API_AttributeIndex APIInvalidAttributeIndex = ACAPI_CreateAttributeIndex(0);
