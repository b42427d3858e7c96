// Attribute functions: building materials and composites of the open project, with the host's rules for
// names (unique within a type, compared exactly), indices (the next after the highest, never reused) and
// GUIDs (from the seeded generator). What the host takes here it can also save and load again, so values
// the project file cannot hold (texts that are not UTF-8, numbers that are not finite, negative
// thicknesses or attribute references) are refused at the call.
#include "ACAPinc.h"
#include "Host.hpp"
#include "Model/Text.hpp"
#include "AttributeIndex.hpp"
#include "Families/Targets.hpp"
#include "SimUtf8.hpp"

#include <cmath>
#include <cstring>
#include <limits>

namespace Sim {
namespace {

using Model::AttributeTable;
using Model::BuildingMaterial;
using Model::Composite;
using Model::CompositeLine;
using Model::CompositeSkin;

constexpr Int32 HighestUIPriority = 16;

Model::Attributes& Attrs() { return TheHost().GetProject().attributes; }

// Types the host knows but does not hold in this simulation answer "not supported"; unknown codes are bad ids.
GSErrCode CheckType(API_AttrTypeID type)
{
    if (Model::Attributes::IsHeldType(type))
        return NoError;
    switch (type) {
        case API_LayerID:
        case API_FilltypeID:
        case API_MaterialID: return APIERR_NOTSUPPORTED;
        default: return APIERR_BADID;
    }
}

// The header's name, which must end within its field.
bool HeaderName(const API_Attr_Head& head, std::string* name)
{
    const void* end = std::memchr(head.name, '\0', API_AttrNameLen);
    if (end == nullptr)
        return false;
    name->assign(head.name, static_cast<size_t>(static_cast<const char*>(end) - head.name));
    return true;
}

GSErrCode ReadNameForWrite(const API_Attr_Head& head, std::string* name)
{
    if (!HeaderName(head, name) || name->empty() || !Text::IsValidUtf8(*name))
        return APIERR_BADNAME;
    return NoError;
}

void PutHeader(const Model::AttributeCommon& attribute, API_AttrTypeID type, GSFlags flags, API_Attr_Head& head)
{
    head.typeID = type;
    head.index = IndexOf(attribute.index);
    head.flags = flags;
    std::memset(head.name, 0, sizeof head.name);
    std::memcpy(head.name, attribute.name.data(), std::min(attribute.name.size(), sizeof head.name - 1));
    head.guid = attribute.guid;
}

// By index, or by name when the index is 0, as the host looks attributes up.
template <typename Attribute>
GSErrCode Lookup(AttributeTable<Attribute>& table, const API_Attr_Head& head, Attribute** found)
{
    if (IndexNumber(head.index) != 0) {
        *found = table.FindByIndex(IndexNumber(head.index));
        return *found != nullptr ? NoError : APIERR_BADINDEX;
    }
    std::string name;
    if (!HeaderName(head, &name) || name.empty())
        return APIERR_BADNAME;
    *found = table.FindByName(name);
    return *found != nullptr ? NoError : APIERR_BADNAME;
}

Int32 NextIndex(Int32 highest)
{
    return highest < std::numeric_limits<Int32>::max() ? highest + 1 : 0;
}

bool Finite(std::initializer_list<double> values)
{
    for (double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

// --- building materials ---------------------------------------------------------------------------------

void ToRecord(const BuildingMaterial& material, API_Attribute& record)
{
    // The texts come back only where the caller gave somewhere to put them.
    GS::UniString* id = record.buildingMaterial.id;
    GS::UniString* manufacturer = record.buildingMaterial.manufacturer;
    GS::UniString* description = record.buildingMaterial.description;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    API_BuildingMaterialType& out = record.buildingMaterial;
    PutHeader(material, API_BuildingMaterialID, 0, out.head);
    out.id = id;
    out.manufacturer = manufacturer;
    out.description = description;
    if (id != nullptr)
        *id = Sim::Uni(material.id);
    if (manufacturer != nullptr)
        *manufacturer = Sim::Uni(material.manufacturer);
    if (description != nullptr)
        *description = Sim::Uni(material.description);
    out.connPriority = material.connPriority;
    out.cutFill = IndexOf(material.cutFill);
    out.cutFillPen = material.cutFillPen;
    out.cutFillBackgroundPen = material.cutFillBackgroundPen;
    out.cutMaterial = IndexOf(material.cutMaterial);
    out.cutFillOrientation = material.cutFillOrientation;
    out.thermalConductivity = material.thermalConductivity;
    out.density = material.density;
    out.heatCapacity = material.heatCapacity;
    out.embodiedEnergy = material.embodiedEnergy;
    out.embodiedCarbon = material.embodiedCarbon;
    out.showUncutLines = material.showUncutLines;
}

// Takes the record's settings into `material`. A text whose pointer is null stays as `material` has it:
// empty for a new material, unchanged for a modified one (a read without texts, changed and written back,
// must not wipe them).
GSErrCode FromRecord(const API_BuildingMaterialType& in, BuildingMaterial& material)
{
    if (!Finite({in.thermalConductivity, in.density, in.heatCapacity, in.embodiedEnergy, in.embodiedCarbon}))
        return APIERR_BADPARS;
    if (in.cutFill.IsNegative() || in.cutMaterial.IsNegative())
        return APIERR_BADINDEX;
    for (const GS::UniString* text : {in.id, in.manufacturer, in.description})
        if (text != nullptr && !IsHostText(*text))
            return APIERR_BADPARS;
    if (in.id != nullptr)
        material.id = Sim::Utf8(*in.id);
    if (in.manufacturer != nullptr)
        material.manufacturer = Sim::Utf8(*in.manufacturer);
    if (in.description != nullptr)
        material.description = Sim::Utf8(*in.description);
    material.connPriority = in.connPriority;
    material.cutFill = IndexNumber(in.cutFill);
    material.cutFillPen = in.cutFillPen;
    material.cutFillBackgroundPen = in.cutFillBackgroundPen;
    material.cutMaterial = IndexNumber(in.cutMaterial);
    material.cutFillOrientation = in.cutFillOrientation;
    material.thermalConductivity = in.thermalConductivity;
    material.density = in.density;
    material.heatCapacity = in.heatCapacity;
    material.embodiedEnergy = in.embodiedEnergy;
    material.embodiedCarbon = in.embodiedCarbon;
    material.showUncutLines = in.showUncutLines;
    return NoError;
}

// --- composites -----------------------------------------------------------------------------------------

void ToRecord(const Composite& composite, API_Attribute& record)
{
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    PutHeader(composite, API_CompWallID, composite.usage, record.header);
    record.compWall.totalThick = composite.totalThickness;
    record.compWall.nComps = static_cast<short>(composite.skins.size());
}

// The skins and lines of the definitions: nComps skins and nComps + 1 lines in handles at least that large.
GSErrCode ReadComposition(const API_AttributeDef* defs, short nComps, std::vector<CompositeSkin>* skins,
                          std::vector<CompositeLine>* lines)
{
    if (defs == nullptr || defs->cwall_compItems == nullptr || defs->cwall_compLItems == nullptr || nComps < 1 ||
        nComps == std::numeric_limits<short>::max())
        return APIERR_BADPARS;
    auto skinHandle = reinterpret_cast<GSHandle>(defs->cwall_compItems);
    auto lineHandle = reinterpret_cast<GSHandle>(defs->cwall_compLItems);
    const auto count = static_cast<size_t>(nComps);
    if (*skinHandle == nullptr || *lineHandle == nullptr ||
        static_cast<size_t>(BMGetHandleSize(skinHandle)) < count * sizeof(API_CWallComponent) ||
        static_cast<size_t>(BMGetHandleSize(lineHandle)) < (count + 1) * sizeof(API_CWallLineComponent))
        return APIERR_BADPARS;

    const Model::Attributes& attributes = Attrs();
    skins->clear();
    lines->clear();
    for (size_t i = 0; i < count; ++i) {
        const API_CWallComponent& in = (*defs->cwall_compItems)[i];
        if (attributes.buildingMaterials.FindByIndex(IndexNumber(in.buildingMaterial)) == nullptr)
            return APIERR_BADINDEX;
        if (!std::isfinite(in.fillThick) || in.fillThick < 0.0)
            return APIERR_BADPARS;
        skins->push_back(CompositeSkin{IndexNumber(in.buildingMaterial), in.framePen, in.flagBits, in.fillThick});
    }
    for (size_t i = 0; i <= count; ++i) {
        const API_CWallLineComponent& in = (*defs->cwall_compLItems)[i];
        if (in.ltypInd < 0)
            return APIERR_BADINDEX;
        lines->push_back(CompositeLine{in.ltypInd, in.linePen, in.flags});
    }
    return NoError;
}

// --- host functions -------------------------------------------------------------------------------------

GSErrCode Get(API_Attribute* attribute)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    const API_AttrTypeID type = attribute->header.typeID;
    if (GSErrCode err = CheckType(type); err != NoError)
        return err;
    GSErrCode err;
    if (type == API_BuildingMaterialID) {
        BuildingMaterial* material = nullptr;
        if ((err = Lookup(Attrs().buildingMaterials, attribute->header, &material)) == NoError)
            ToRecord(*material, *attribute);
    } else {
        Composite* composite = nullptr;
        if ((err = Lookup(Attrs().composites, attribute->header, &composite)) == NoError)
            ToRecord(*composite, *attribute);
    }
    return err;
}

GSErrCode Search(API_Attr_Head* head)
{
    if (head == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckType(head->typeID); err != NoError)
        return err;
    std::string name;
    if (!HeaderName(*head, &name) || name.empty())
        return APIERR_BADNAME;
    Model::AttributeCommon* found = Attrs().FindByName(head->typeID, name);
    if (found == nullptr)
        return APIERR_BADNAME;
    head->index = IndexOf(found->index);
    head->guid = found->guid;
    return NoError;
}

// The record handed to Create or Modify: of a held type, with a name fit for an attribute.
GSErrCode CheckWrittenRecord(const API_Attribute* attribute, std::string* name)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckType(attribute->header.typeID); err != NoError)
        return err;
    return ReadNameForWrite(attribute->header, name);
}

// Gives a new attribute the next index and a fresh GUID, adds it and tells the caller both.
template <typename Attribute>
GSErrCode Add(AttributeTable<Attribute>& table, Attribute attribute, API_Attr_Head& head, const Attribute** added)
{
    attribute.index = NextIndex(table.HighestIndex());
    if (attribute.index == 0)
        return APIERR_GENERAL;
    attribute.guid = TheHost().NewProjectGuid();
    *added = &table.Insert(std::move(attribute));
    head.index = IndexOf((*added)->index);
    head.guid = (*added)->guid;
    return NoError;
}

GSErrCode Create(API_Attribute* attribute, API_AttributeDef* defs)
{
    std::string name;
    if (GSErrCode err = CheckWrittenRecord(attribute, &name); err != NoError)
        return err;
    const API_AttrTypeID type = attribute->header.typeID;
    Model::Attributes& attributes = Attrs();
    // A taken name is refused with the holder's index, which is how a caller finds what to modify instead.
    if (Model::AttributeCommon* existing = attributes.FindByName(type, name)) {
        attribute->header.index = IndexOf(existing->index);
        return APIERR_ATTREXIST;
    }

    if (type == API_BuildingMaterialID) {
        BuildingMaterial material;
        if (GSErrCode err = FromRecord(attribute->buildingMaterial, material); err != NoError)
            return err;
        material.name = name;
        const BuildingMaterial* added = nullptr;
        return Add(attributes.buildingMaterials, std::move(material), attribute->header, &added);
    }

    Composite composite;
    if (GSErrCode err = ReadComposition(defs, attribute->compWall.nComps, &composite.skins, &composite.lines);
        err != NoError)
        return err;
    composite.name = name;
    composite.usage = attribute->header.flags;
    composite.totalThickness = Composite::SumOfSkins(composite.skins);
    const Composite* added = nullptr;
    GSErrCode err = Add(attributes.composites, std::move(composite), attribute->header, &added);
    if (err == NoError)
        attribute->compWall.totalThick = added->totalThickness;
    return err;
}

// The attribute is the one of the record's type with the record's name; its index and GUID stay.
GSErrCode Modify(API_Attribute* attribute, API_AttributeDef* defs)
{
    std::string name;
    if (GSErrCode err = CheckWrittenRecord(attribute, &name); err != NoError)
        return err;
    Model::Attributes& attributes = Attrs();

    if (attribute->header.typeID == API_BuildingMaterialID) {
        BuildingMaterial* existing = attributes.buildingMaterials.FindByName(name);
        if (existing == nullptr)
            return APIERR_BADNAME;
        BuildingMaterial changed = *existing;
        if (GSErrCode err = FromRecord(attribute->buildingMaterial, changed); err != NoError)
            return err;
        *existing = std::move(changed);
        attribute->header.index = IndexOf(existing->index);
        attribute->header.guid = existing->guid;
        return NoError;
    }

    Composite* existing = attributes.composites.FindByName(name);
    if (existing == nullptr)
        return APIERR_BADNAME;
    Composite changed = *existing;
    changed.usage = attribute->header.flags;
    // Without definitions only the header's settings change; the skins and lines stay.
    if (defs != nullptr) {
        if (GSErrCode err = ReadComposition(defs, attribute->compWall.nComps, &changed.skins, &changed.lines);
            err != NoError)
            return err;
        changed.totalThickness = Composite::SumOfSkins(changed.skins);
    }
    *existing = std::move(changed);
    attribute->header.index = IndexOf(existing->index);
    attribute->header.guid = existing->guid;
    attribute->compWall.totalThick = existing->totalThickness;
    attribute->compWall.nComps = static_cast<short>(existing->skins.size());
    return NoError;
}

// The highest index in use, so that reading every index from 1 to it reaches every attribute.
GSErrCode GetNum(API_AttrTypeID type, UInt32* count)
{
    if (count == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckType(type); err != NoError)
        return err;
    const Model::Attributes& attributes = Attrs();
    *count = static_cast<UInt32>(type == API_BuildingMaterialID ? attributes.buildingMaterials.HighestIndex()
                                                                : attributes.composites.HighestIndex());
    return NoError;
}

template <typename Item>
Item** AllocateArray(size_t count)
{
    return reinterpret_cast<Item**>(BMAllocateHandle(static_cast<Int32>(count * sizeof(Item)), ALLOCATE_CLEAR, 0));
}

GSErrCode GetDef(API_AttrTypeID type, API_AttributeIndex index, API_AttributeDef* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckType(type); err != NoError)
        return err;
    *defs = API_AttributeDef{};
    Model::Attributes& attributes = Attrs();
    if (type == API_BuildingMaterialID)  // building materials have no definitions
        return attributes.buildingMaterials.FindByIndex(IndexNumber(index)) != nullptr ? NoError : APIERR_BADINDEX;

    const Composite* composite = attributes.composites.FindByIndex(IndexNumber(index));
    if (composite == nullptr)
        return APIERR_BADINDEX;
    auto** skins = AllocateArray<API_CWallComponent>(composite->skins.size());
    auto** lines = AllocateArray<API_CWallLineComponent>(composite->lines.size());
    if (skins == nullptr || lines == nullptr) {
        for (GSHandle handle : {reinterpret_cast<GSHandle>(skins), reinterpret_cast<GSHandle>(lines)})
            BMKillHandle(&handle);
        return APIERR_MEMFULL;
    }
    for (size_t i = 0; i < composite->skins.size(); ++i) {
        const CompositeSkin& skin = composite->skins[i];
        API_CWallComponent& out = (*skins)[i];
        out.buildingMaterial = IndexOf(skin.buildingMaterial);
        out.framePen = skin.framePen;
        out.flagBits = skin.flags;
        out.fillThick = skin.thickness;
    }
    for (size_t i = 0; i < composite->lines.size(); ++i) {
        const CompositeLine& line = composite->lines[i];
        API_CWallLineComponent& out = (*lines)[i];
        out.ltypInd = line.lineType;
        out.linePen = line.pen;
        out.flags = line.flags;
    }
    defs->cwall_compItems = skins;
    defs->cwall_compLItems = lines;
    return NoError;
}

GSErrCode DisposeAttrDefsHdls(API_AttributeDef* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    auto skins = reinterpret_cast<GSHandle>(defs->cwall_compItems);
    auto lines = reinterpret_cast<GSHandle>(defs->cwall_compLItems);
    BMKillHandle(&skins);
    BMKillHandle(&lines);
    defs->cwall_compItems = nullptr;
    defs->cwall_compLItems = nullptr;
    return NoError;
}

// The stored priority is twice the interface's: 0 to 16 become 0 to 32.
GSErrCode UI2ElemPriority(Int32* priority)
{
    if (priority == nullptr || *priority < 0 || *priority > HighestUIPriority)
        return APIERR_BADPARS;
    *priority *= 2;
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Attributes)
{
    using namespace Sim;
    SIM_BIND(table, Attribute_Get, &Get);
    SIM_BIND(table, Attribute_Search, &Search);
    SIM_BIND(table, Attribute_Create, &Create);
    SIM_BIND(table, Attribute_Modify, &Modify);
    SIM_BIND(table, Attribute_GetNum, &GetNum);
    SIM_BIND(table, Attribute_GetDef, &GetDef);
    SIM_BIND(table, DisposeAttrDefsHdls, &DisposeAttrDefsHdls);
    SIM_BIND(table, Element_UI2ElemPriority, &UI2ElemPriority);
}
