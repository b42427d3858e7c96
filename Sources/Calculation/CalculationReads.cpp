#include "Calculation/CalculationReads.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/CatalogueProperties.hpp"
#include "GSDebug.hpp"
#include "ProjectWriter/ElementNames.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/Utf8.hpp"

#include <cstring>

namespace QRV {
namespace {

// Index 0 would make the host look the attribute up by name instead.
bool ReadAttribute(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute)
{
    if (!index.IsPositive())
        return false;
    attribute = BlankAttribute(typeID);
    attribute.header.index = index;
    return ACAPI_Attribute_Get(&attribute) == NoError;
}

}  // namespace

GS::Array<API_Guid> CalculationReads::ElementsOfType(API_ElemTypeID typeID, API_ElemFilterFlags filter)
{
    GS::Array<API_Guid> guids;
    if (ACAPI_Element_GetElemList(API_ElemType(typeID), &guids, filter) != NoError)
        guids.Clear();
    return guids;
}

bool CalculationReads::ReadElement(const API_Guid& guid, API_Element& element)
{
    std::memset(&element, 0, sizeof element);
    element.header.guid = guid;
    return ACAPI_Element_Get(&element) == NoError;
}

bool CalculationReads::ReadQuantities(const API_Guid& guid, const API_QuantitiesMask& mask, API_ElementQuantity& quantity)
{
    API_QuantityPar params;
    std::memset(&params, 0, sizeof params);
    std::memset(&quantity, 0, sizeof quantity);
    API_Quantities quantities;
    quantities.elements = &quantity;
    return ACAPI_Element_GetQuantities(guid, &params, &quantities, &mask) == NoError;
}

GS::UniString CalculationReads::IfcNameOf(const API_Guid& guid)
{
    GS::UniString name;
    ReadIfcName(guid, name);
    DBPrintf("IFC name: %s\n", ToUtf8(name).c_str());
    return name;
}

CalculationReads::AttributeKey CalculationReads::KeyOf(const API_Attribute& attribute)
{
    return {static_cast<int>(attribute.header.typeID), attribute.header.index.ToInt32_Deprecated()};
}

bool CalculationReads::ReadAttributeOnce(API_AttrTypeID typeID, API_AttributeIndex index, API_Attribute& attribute) const
{
    const AttributeKey key{static_cast<int>(typeID), index.ToInt32_Deprecated()};
    auto found = attributes_.find(key);
    if (found == attributes_.end()) {
        std::optional<API_Attribute> read;
        API_Attribute record;
        if (ReadAttribute(typeID, index, record))
            read = record;
        found = attributes_.emplace(key, read).first;
    }
    if (!found->second)
        return false;
    attribute = *found->second;
    return true;
}

const CorvanaProperties& CalculationReads::PropertiesOf(const API_Attribute& attribute) const
{
    const AttributeKey key = KeyOf(attribute);
    auto found = properties_.find(key);
    if (found == properties_.end()) {
        bool textStored = false;
        found = properties_.emplace(key, CatalogueProperties::OfAttribute(attribute, &textStored)).first;
        if (textStored)
            storedTexts_.insert(key);
    }
    return found->second;
}

bool CalculationReads::HoldsStoredText(const API_Attribute& attribute) const
{
    PropertiesOf(attribute);
    return storedTexts_.count(KeyOf(attribute)) != 0;
}

const CalculationReads::StoredProduct* CalculationReads::ProductPropertiesOf(const GS::UniString& name) const
{
    auto found = products_.find(ToUtf8(name));
    if (found == products_.end()) {
        std::optional<StoredProduct> stored;
        CorvanaProperties properties;
        if (CatalogueProperties::OfProduct(name, properties)) {
            StoredProduct product;
            product.referenceUnit = properties.ValueOf("Reference Unit").ToLowerCase();
            product.bimUuid = properties.ValueOf("id");
            product.densityText = properties.ValueOf("Density");
            product.density = CalculationJson::CatalogueNumber(product.densityText);
            product.properties = std::move(properties);
            stored = std::move(product);
        }
        found = products_.emplace(ToUtf8(name), std::move(stored)).first;
    }
    return found->second ? &*found->second : nullptr;
}

}  // namespace QRV
