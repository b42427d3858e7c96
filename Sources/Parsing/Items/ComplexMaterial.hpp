// One composite (construction system): an ordered stack of skins, each a material with a thickness and a
// layer role, written by the composite writer.
#pragma once

#include "Parsing/Items/Material.hpp"

#include <functional>
#include <vector>

namespace QRV {

class ComplexMaterial : public virtual BaseItem {
public:
    ComplexMaterial() = default;
    ComplexMaterial(const ComplexMaterial&) = default;
    ComplexMaterial& operator=(const ComplexMaterial&) = default;
    ~ComplexMaterial() override;

    // Detail lines in the host's debug output; a bare composite has none.
    virtual void Dump() const;
    // Visits the skin materials in skin order.
    virtual void ForEachMaterial(const std::function<void(Material& material)>& visit);
    virtual USize MaterialCount() const;

    void AddMaterial(const Material& material) { materials_.push_back(material); }

    const GS::UniString& GetName() const { return name_; }
    void SetName(const GS::UniString& name) { name_ = name; }
    // The catalogue's status text of the system, carried as it comes.
    const GS::UniString& GetStatus() const { return status_; }
    void SetStatus(const GS::UniString& status) { status_ = status; }

    const GS::UniString& GetSystemType() const { return systemType_; }
    // Stores the system type and derives the usage from it: 2 (slab) for "Ceiling", "Floor" and
    // "Foundation Slab", 4 (roof) for "Roof", 1 (wall) otherwise.
    void SetSystemType(const GS::UniString& systemType);
    Int16 GetUsage() const { return usage_; }

    // Separator lines between the skins.
    Int32 GetSeparatorLineType() const { return separatorLineType_; }
    void SetSeparatorLineType(Int32 lineType) { separatorLineType_ = lineType; }
    Int16 GetSeparatorLinePen() const { return separatorLinePen_; }
    void SetSeparatorLinePen(Int16 pen) { separatorLinePen_ = pen; }

    // Replacing an existing composite in every element that uses it.
    bool IsReplacement() const { return replace_; }
    void SetReplacement(bool replace) { replace_ = replace; }
    Int32 GetReplaceIndex() const { return replaceIndex_; }
    void SetReplaceIndex(Int32 index) { replaceIndex_ = index; }

    // "imported", "overwritten" or "failed" once the composite writer ran.
    const GS::UniString& GetImportStatus() const { return importStatus_; }
    void SetImportStatus(const GS::UniString& status) { importStatus_ = status; }
    bool GetReplaceWithoutAsking() const { return replaceWithoutAsking_; }
    void SetReplaceWithoutAsking(bool replaceWithoutAsking) { replaceWithoutAsking_ = replaceWithoutAsking; }

    // Defined by the project writer, which owns every host call: whether to go on when a composite of this
    // name or any skin material exists. Asks about each clashing name once, unless told not to; the skin
    // materials take over the settings of existing materials of their names.
    bool ConfirmReplace();

private:
    GS::UniString name_ = "Undefined";
    GS::UniString status_ = "Undefined";
    GS::UniString systemType_ = "Undefined";
    Int16 usage_ = 1;
    Int32 separatorLineType_ = 1;
    Int16 separatorLinePen_ = 1;
    bool replace_ = false;
    Int32 replaceIndex_ = 0;
    GS::UniString importStatus_ = "Undefined";
    bool replaceWithoutAsking_ = false;
    std::vector<Material> materials_;
};

// The composite usage of a catalogue system type.
Int16 UsageForSystemType(const GS::UniString& systemType);

}  // namespace QRV
