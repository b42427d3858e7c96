// Building materials: the clash check with the replace question, the create-or-overwrite write, and the
// replacement of a composite's skin material.
#include "ACAPinc.h"
#include "ACLink.hpp"
#include "Support/AttributeName.hpp"
#include "Support/GetAttribute.hpp"
#include "Support/HostErrorReport.hpp"
#include "Support/LogStream.hpp"
#include "BuildingMaterialTexts.hpp"
#include "CorvanaItemHooks.hpp"
#include "Parsing/Items/Material.hpp"
#include "ReplaceQuestion.hpp"
#include "Support/Utf8.hpp"

namespace QRV {
namespace {

constexpr Int32 DefaultUserInterfacePriority = 8;

API_Attribute BuildingMaterialRecord(const GS::UniString& name, bool* nameFits = nullptr)
{
    API_Attribute attribute = BlankAttribute(API_BuildingMaterialID);
    const bool fits = SetAttributeName(attribute.header, name);
    if (nameFits != nullptr)
        *nameFits = fits;
    return attribute;
}

}  // namespace

ACLink::ACLink() { InstallCorvanaItemHooks(); }

ACLink::~ACLink() = default;

std::set<std::string>& MaterialsCreatedInBulkRun()
{
    static std::set<std::string> names;
    return names;
}

bool Material::ConfirmReplace()
{
    bool nameFits = true;
    API_Attribute existing = BuildingMaterialRecord(GetName(), &nameFits);
    // A name the host cannot hold matches nothing; the write refuses it later.
    if (!nameFits || ACAPI_Attribute_Get(&existing) != NoError)
        return true;

    if (!GetReplaceWithoutAsking() && AskReplaceExisting(GetName(), "material") == ReplaceReject)
        return false;

    // The user's graphic settings of an existing material win over the catalogue's.
    const API_BuildingMaterialType& material = existing.buildingMaterial;
    SetIntersectionPriority(material.connPriority);
    SkinAppearance appearance = GetAppearance();
    appearance.cutFill = material.cutFill.ToInt32_Deprecated();
    appearance.cutFillPen = material.cutFillPen;
    appearance.cutFillBackgroundPen = material.cutFillBackgroundPen;
    appearance.cutSurface = material.cutMaterial.ToInt32_Deprecated();
    SetAppearance(appearance);
    SetCutFillOrientation(static_cast<Int32>(material.cutFillOrientation));

    GS::Array<GS::UniString> texts;
    ReadBuildingMaterialTexts(API_BuildingMaterialID, existing.header.index, texts);
    if (texts.GetSize() == 2) {
        SetDescription(texts[0]);
        SetManufacturer(texts[1]);
    }
    return true;
}

bool ACLink::CreateMaterial(Material& material)
{
    bool nameFits = true;
    API_Attribute attribute = BuildingMaterialRecord(material.GetName(), &nameFits);
    if (!nameFits) {
        LogStream::Instance().Error("ACLink::CreateMaterial: the name \"" + ToUtf8(material.GetName()) + "\" " +
                                    AttributeNameProblem(material.GetName()));
        material.SetImportStatus("failed");
        return false;
    }

    Int32 priority = material.GetIntersectionPriority();
    if (priority == 0) {
        Int32 shown = DefaultUserInterfacePriority;
        if (ACAPI_Element_UI2ElemPriority(&shown, &priority) != NoError)
            priority = shown;
    }
    GS::UniString manufacturer = material.GetManufacturer();
    GS::UniString description = material.GetDescription();
    API_BuildingMaterialType& record = attribute.buildingMaterial;
    record.manufacturer = &manufacturer;
    record.description = &description;
    record.connPriority = priority;
    record.cutFill = ACAPI_CreateAttributeIndex(material.GetAppearance().cutFill);
    record.cutFillPen = static_cast<short>(material.GetAppearance().cutFillPen);
    record.cutFillBackgroundPen = static_cast<short>(material.GetAppearance().cutFillBackgroundPen);
    record.cutMaterial = ACAPI_CreateAttributeIndex(material.GetAppearance().cutSurface);
    // Only an existing material's orientation, as the host gave it, ever reaches the item.
    record.cutFillOrientation = static_cast<API_FillOrientationID>(material.GetCutFillOrientation());
    record.thermalConductivity = material.GetThermalConductivity();
    record.density = material.GetDensity();
    record.heatCapacity = material.GetHeatCapacity();
    record.showUncutLines = material.GetShowUncutLines();

    GSErrCode err = ACAPI_Attribute_Create(&attribute, nullptr);
    if (err == NoError) {
        material.SetImportStatus("imported");
        MaterialsCreatedInBulkRun().insert(ToUtf8(material.GetName()));
    } else if (err == APIERR_ATTREXIST) {
        err = ACAPI_Attribute_Modify(&attribute, nullptr);
        if (err != NoError) {
            ReportHostError(err, "ACLink::ModifyMaterial");
            material.SetImportStatus("failed");
            return false;
        }
        material.SetImportStatus("overwritten");
    } else {
        ReportHostError(err, "ACLink::CreateMaterial");
        material.SetImportStatus("failed");
        return false;
    }

    material.SetAttributeIndex(attribute.header.index);
    material.SetAttributeGuid(attribute.header.guid);
    material.StoreProperties(nullptr);
    if (material.GetImportStatus() == "failed") {
        LogStream::Instance().Error("ACLink::CreateMaterial: the properties of \"" + ToUtf8(material.GetName()) +
                                    "\" could not all be written");
        return false;
    }
    if (material.IsReplacement())
        material.ReplaceInConstructionSystem();
    return true;
}

GSErrCode Material::ReplaceInConstructionSystem()
{
    API_Attribute composite = BlankAttribute(API_CompWallID);
    composite.header.index = ACAPI_CreateAttributeIndex(GetReplaceSystemIndex());
    GSErrCode err = ACAPI_Attribute_Get(&composite);
    if (err != NoError)
        return err;
    // The extended definitions, so that the composite's separator lines go back unchanged.
    API_AttributeDefExt defs{};
    err = ACAPI_Attribute_GetDefExt(API_CompWallID, composite.header.index, &defs);
    if (err == NoError) {
        const Int32 skin = GetReplaceInternalLayerIndex();
        const Int32 skinCount = defs.cwall_compItems != nullptr
                                    ? BMGetHandleSize(reinterpret_cast<GSHandle>(defs.cwall_compItems)) /
                                          static_cast<Int32>(sizeof(API_CWallComponent))
                                    : 0;
        // The page's index comes from outside: a skin the composite does not have changes nothing.
        if (skin >= 0 && skin < skinCount) {
            (*defs.cwall_compItems)[skin].buildingMaterial = GetAttributeIndex();
            err = ACAPI_Attribute_ModifyExt(&composite, &defs);
        } else {
            err = APIERR_BADINDEX;
        }
    }
    ACAPI_DisposeAttrDefsHdlsExt(&defs);
    return err;
}

}  // namespace QRV
