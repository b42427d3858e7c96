// What a catalogue material or construction system carries beyond its attribute: its classification, its
// property values and the property list remembered as attribute user data.
#include "CorvanaItemHooks.hpp"

#include "HostLookups.hpp"
#include "AddOn/GetAttribute.hpp"
#include "CompositeStamping.hpp"
#include "CorvanaClassification.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"
#include "AddOn/Utf8.hpp"

namespace QRV {
namespace {

void StoreMaterialProperties(CorvanaMaterial& item, const API_Attribute* /*record*/)
{
    GSErrCode err = NoError;
    const API_Attribute attribute = GetAttribute(item.GetName(), API_BuildingMaterialID, &err);
    if (err != NoError)
        return;
    HostLookups lookups;
    // Attribute user data needs no step; the classification joins the material's first property step.
    if (!item.GetProperties().IsEmpty())
        AddUserData(attribute, item.GetProperties().ToJsonText());
    DefinePropertiesUndoable(item.GetProperties(), attribute.header, API_Guid{}, "Create material property", lookups,
                             [&] { ClassifyAttribute(attribute.header, lookups); });
}

void LoadMaterialProperties(CorvanaMaterial& item)
{
    GSErrCode err = NoError;
    const API_Attribute attribute = GetAttribute(item.GetName(), API_BuildingMaterialID, &err);
    std::string text;
    if (err != NoError || GetUserData(attribute, text) != NoError)
        return;
    CorvanaProperties stored;
    if (ParseStoredProperties(text, stored, "Building material \"" + ToUtf8(item.GetName()) + "\""))
        item.SetProperties(stored);
}

void LoadCompositeProperties(CorvanaComplexMaterial& item)
{
    GSErrCode err = NoError;
    const API_Attribute attribute = GetAttribute(item.GetName(), API_CompWallID, &err);
    std::string text;
    if (err != NoError || GetUserData(attribute, text) != NoError)
        return;
    CorvanaProperties stored;
    if (ParseStoredProperties(text, stored, "Composite \"" + ToUtf8(item.GetName()) + "\""))
        item.SetProperties(stored);
}

}  // namespace

void InstallCorvanaItemHooks()
{
    CorvanaMaterial::InstallPropertyHooks({&StoreMaterialProperties, &LoadMaterialProperties});
    CorvanaComplexMaterial::InstallPropertyHooks({&StampCompositeProperties, &LoadCompositeProperties});
}

}  // namespace QRV
