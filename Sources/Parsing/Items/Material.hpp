// One building material, or one skin of a composite: what the material writer puts into a building
// material attribute and the composite writer into a skin.
#pragma once

#include "Parsing/Items/BaseItem.hpp"
#include "Parsing/Items/SkinAppearance.hpp"

namespace QRV {

class Material : public virtual BaseItem {
public:
    Material() = default;
    Material(const Material&) = default;
    Material& operator=(const Material&) = default;
    ~Material() override;

    // The building material attribute once written.
    const API_Guid& GetAttributeGuid() const { return attributeGuid_; }
    void SetAttributeGuid(const API_Guid& guid) { attributeGuid_ = guid; }
    API_AttributeIndex GetAttributeIndex() const { return attributeIndex_; }
    void SetAttributeIndex(API_AttributeIndex index) { attributeIndex_ = index; }

    Int32 GetFramePen() const { return framePen_; }
    void SetFramePen(Int32 pen) { framePen_ = pen; }
    // Stored form of the intersection priority; 0 means the catalogue gave none.
    Int32 GetIntersectionPriority() const { return intersectionPriority_; }
    void SetIntersectionPriority(Int32 priority) { intersectionPriority_ = priority; }

    const SkinAppearance& GetAppearance() const { return appearance_; }
    void SetAppearance(const SkinAppearance& appearance) { appearance_ = appearance; }
    Int32 GetCutFillOrientation() const { return cutFillOrientation_; }
    void SetCutFillOrientation(Int32 orientation) { cutFillOrientation_ = orientation; }

    double GetThermalConductivity() const { return thermalConductivity_; }
    void SetThermalConductivity(double value) { thermalConductivity_ = value; }
    double GetDensity() const { return density_; }
    void SetDensity(double value) { density_ = value; }
    double GetHeatCapacity() const { return heatCapacity_; }
    void SetHeatCapacity(double value) { heatCapacity_ = value; }
    // Skin thickness in metres.
    double GetThickness() const { return thickness_; }
    void SetThickness(double metres) { thickness_ = metres; }

    bool GetShowUncutLines() const { return showUncutLines_; }
    void SetShowUncutLines(bool show) { showUncutLines_ = show; }

    Int16 GetSkinFlags() const { return skinFlags_; }
    const GS::UniString& GetLayerType() const { return layerType_; }
    // Stores the page's layer role and derives the skin flags from it; with the appearance asked for, also
    // the cut fill, pens and cut surface from the layer-type table.
    void SetLayerType(const GS::UniString& layerType, bool applyAppearance = false);

    const GS::UniString& GetName() const { return name_; }
    void SetName(const GS::UniString& name) { name_ = name; }
    const GS::UniString& GetManufacturer() const { return manufacturer_; }
    void SetManufacturer(const GS::UniString& manufacturer) { manufacturer_ = manufacturer; }
    const GS::UniString& GetDescription() const { return description_; }
    void SetDescription(const GS::UniString& description) { description_ = description; }

    // Replacing the material of one skin of an existing composite.
    bool IsReplacement() const { return replace_; }
    void SetReplacement(bool replace) { replace_ = replace; }
    Int32 GetReplaceSystemIndex() const { return replaceSystemIndex_; }
    void SetReplaceSystemIndex(Int32 index) { replaceSystemIndex_ = index; }
    Int32 GetReplaceLayerIndex() const { return replaceLayerIndex_; }  // as the page counts
    void SetReplaceLayerIndex(Int32 index) { replaceLayerIndex_ = index; }
    Int32 GetReplaceInternalLayerIndex() const { return replaceInternalLayerIndex_; }  // in the host's skins
    void SetReplaceInternalLayerIndex(Int32 index) { replaceInternalLayerIndex_ = index; }

    // "imported", "overwritten" or "failed" once the material writer ran.
    const GS::UniString& GetImportStatus() const { return importStatus_; }
    void SetImportStatus(const GS::UniString& status) { importStatus_ = status; }
    bool GetReplaceWithoutAsking() const { return replaceWithoutAsking_; }
    void SetReplaceWithoutAsking(bool replaceWithoutAsking) { replaceWithoutAsking_ = replaceWithoutAsking; }

    // Defined by the project writer, which owns every host call:
    // whether to go on when a building material of this name exists (asks unless told not to; on a clash
    // the item takes over the existing material's graphic settings and texts),
    bool ConfirmReplace();
    // and pointing one skin of an existing composite at this material once it is written.
    GSErrCode ReplaceInConstructionSystem();

private:
    API_Guid attributeGuid_{};
    API_AttributeIndex attributeIndex_ = APIInvalidAttributeIndex;
    Int32 framePen_ = 12;
    Int32 intersectionPriority_ = 0;
    SkinAppearance appearance_;
    Int32 cutFillOrientation_ = 0;
    double thermalConductivity_ = 0.0;
    double density_ = 0.0;
    double heatCapacity_ = 0.0;
    double thickness_ = 0.0;
    bool showUncutLines_ = true;
    Int16 skinFlags_ = 0;
    GS::UniString name_ = "Undefined";
    GS::UniString manufacturer_ = "Undefined";
    GS::UniString description_ = "Undefined";
    GS::UniString layerType_ = "Undefined";
    bool replace_ = false;
    Int32 replaceSystemIndex_ = 0;
    Int32 replaceLayerIndex_ = 0;
    Int32 replaceInternalLayerIndex_ = 0;
    GS::UniString importStatus_ = "Undefined";
    bool replaceWithoutAsking_ = false;
};

}  // namespace QRV
