// What a catalogue material or construction system carries beyond its attribute: its classification, its
// property values and the property list remembered as attribute user data.
#include "CorvanaItemHooks.hpp"

#include "HostLookups.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/UndoStep.hpp"
#include "CompositeStamping.hpp"
#include "CorvanaClassification.hpp"
#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"
#include "PropertyRuns.hpp"
#include "StoredTexts.hpp"
#include "Support/Utf8.hpp"

namespace QRV {
namespace {

void StoreMaterialProperties(CorvanaMaterial& item, const API_Attribute* /*record*/)
{
    GSErrCode err = NoError;
    const API_Attribute attribute = GetAttribute(item.GetName(), API_BuildingMaterialID, &err);
    if (err != NoError)
        return;
    HostLookups lookups;
    // Attribute user data needs no step; the classification is written with the material's properties.
    if (!item.GetProperties().IsEmpty())
        AddUserData(attribute, item.GetProperties().ToJsonText());
    // A skin material of a system joins the system's step; a material that replaces a skin of a system
    // names the replacement the user asked for.
    const char* stepName = item.IsReplacement() ? UndoStepName::SystemReplacement : UndoStepName::MaterialImport;
    const GSErrCode written = DefinePropertiesUndoable(item.GetProperties(), attribute.header, API_Guid{}, stepName,
                                                       lookups, [&] { ClassifyAttribute(attribute.header, lookups); });
    // A material without all of its properties is no imported material: the page hears of it.
    if (written != NoError)
        item.SetImportStatus("failed");
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
