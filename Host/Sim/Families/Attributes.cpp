// Attribute functions: building materials and composites of the open project, with the host's rules for
// names (unique within a type, compared exactly), indices (the next after the highest, never reused) and
// GUIDs (from the seeded generator). What the host takes here it can also save and load again, so values
// the project file cannot hold (texts that are not UTF-8, numbers that are not finite, negative
// thicknesses or attribute references) are refused at the call.
//
// An attribute is named by its index, or by its name when the index is 0 (Get, Modify, and the families
// that attach to attributes); Modify may rename it to a name no other attribute of its kind has. The plain
// definition calls carry no separator lines: a composite created through them gets solid lines of pen 1,
// and one modified through them keeps its lines where a line's position stays.
#include "ACAPinc.h"
#include "Families/Targets.hpp"
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
constexpr CompositeLine DefaultLine{1, 1, 0};

Model::Attributes& Attrs() { return TheHost().GetProject().attributes; }

GSErrCode ReadNameForWrite(const API_Attr_Head& head, std::string* name)
{
    if (!HeaderName(head, name) || name->empty() || name->size() >= API_AttrNameLen || !Text::IsValidUtf8(*name))
        return APIERR_BADNAME;
    return NoError;
}

// The caller's pointer for the name stays and gets the name too.
void PutHeader(const Model::AttributeCommon& attribute, API_AttrTypeID type, GSFlags flags, API_Attr_Head& head)
{
    GS::UniString* uniName = head.uniStringNamePtr;
    head.typeID = type;
    head.index = IndexOf(attribute.index);
    head.flags = static_cast<short>(flags);
    std::memset(head.name, 0, sizeof head.name);
    std::memcpy(head.name, attribute.name.data(), std::min(attribute.name.size(), sizeof head.name - 1));
    head.guid = attribute.guid;
    head.uniStringNamePtr = uniName;
    if (uniName != nullptr)
        *uniName = Sim::Uni(attribute.name);
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

bool IsFillOrientation(Int32 orientation)
{
    return orientation == APIFillOrientation_ProjectOrigin || orientation == APIFillOrientation_ElementOrigin ||
           orientation == APIFillOrientation_FitToSkin;
}

// --- building materials ---------------------------------------------------------------------------------

void ToRecord(const BuildingMaterial& material, API_Attribute& record)
{
    // The texts come back only where the caller gave somewhere to put them.
    GS::UniString* id = record.buildingMaterial.id;
    GS::UniString* manufacturer = record.buildingMaterial.manufacturer;
    GS::UniString* description = record.buildingMaterial.description;
    GS::UniString* uniName = record.header.uniStringNamePtr;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    API_BuildingMaterialType& out = record.buildingMaterial;
    out.head.uniStringNamePtr = uniName;
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
    // A project file may hold any number; the record holds one of the host's three orientations.
    out.cutFillOrientation = IsFillOrientation(material.cutFillOrientation)
                                 ? static_cast<API_FillOrientationID>(material.cutFillOrientation)
                                 : APIFillOrientation_ProjectOrigin;
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
    if (!IsFillOrientation(static_cast<Int32>(in.cutFillOrientation)))
        return APIERR_BADPARS;
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
    material.cutFillOrientation = static_cast<Int32>(in.cutFillOrientation);
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
    GS::UniString* uniName = record.header.uniStringNamePtr;
    std::memset(static_cast<void*>(&record), 0, sizeof record);
    record.header.uniStringNamePtr = uniName;
    PutHeader(composite, API_CompWallID, composite.usage, record.header);
    record.compWall.totalThick = composite.totalThickness;
    record.compWall.nComps = static_cast<short>(composite.skins.size());
}

template <typename Entry>
bool HoldsEntries(Entry** handle, size_t count)
{
    auto raw = reinterpret_cast<GSHandle>(handle);
    return raw != nullptr && *raw != nullptr && static_cast<size_t>(BMGetHandleSize(raw)) >= count * sizeof(Entry);
}

// The skins and lines of a write: nComps skins and, when `lineItems` is given, nComps + 1 lines, in handles
// at least that large. Without lines each position keeps the line `previous` has there, or gets the
// default one. Line flags are no part of the record: they stay as `previous` has them.
GSErrCode ReadComposition(API_CWallComponent** skinItems, API_CWallLineComponent** lineItems, short nComps,
                          const std::vector<CompositeLine>& previous, std::vector<CompositeSkin>* skins,
                          std::vector<CompositeLine>* lines)
{
    if (nComps < 1 || nComps == std::numeric_limits<short>::max())
        return APIERR_BADPARS;
    const auto count = static_cast<size_t>(nComps);
    if (!HoldsEntries(skinItems, count) || (lineItems != nullptr && !HoldsEntries(lineItems, count + 1)))
        return APIERR_BADPARS;

    const Model::Attributes& attributes = Attrs();
    skins->clear();
    lines->clear();
    for (size_t i = 0; i < count; ++i) {
        const API_CWallComponent& in = (*skinItems)[i];
        if (attributes.buildingMaterials.FindByIndex(IndexNumber(in.buildingMaterial)) == nullptr)
            return APIERR_BADINDEX;
        if (!std::isfinite(in.fillThick) || in.fillThick < 0.0)
            return APIERR_BADPARS;
        skins->push_back(CompositeSkin{IndexNumber(in.buildingMaterial), in.framePen, in.flagBits, in.fillThick});
    }
    for (size_t i = 0; i <= count; ++i) {
        CompositeLine line = i < previous.size() ? previous[i] : DefaultLine;
        if (lineItems != nullptr) {
            const API_CWallLineComponent& in = (*lineItems)[i];
            if (in.ltypeInd.IsNegative())
                return APIERR_BADINDEX;
            line.lineType = IndexNumber(in.ltypeInd);
            line.pen = in.linePen;
            if (i >= previous.size())
                line.flags = 0;
        }
        lines->push_back(line);
    }
    return NoError;
}

// --- host functions -------------------------------------------------------------------------------------

GSErrCode Get(API_Attribute* attribute)
{
    if (attribute == nullptr)
        return APIERR_BADPARS;
    const API_AttrTypeID type = attribute->header.typeID;
    if (GSErrCode err = CheckAttributeType(type); err != NoError)
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

template <typename Attribute>
void PutAll(const AttributeTable<Attribute>& table, GS::Array<API_Attribute>& records)
{
    for (const Attribute& attribute : table.All()) {
        API_Attribute record;
        std::memset(static_cast<void*>(&record), 0, sizeof record);
        ToRecord(attribute, record);
        records.Push(record);
    }
}

GSErrCode GetAttributesByType(API_AttrTypeID type, GS::Array<API_Attribute>& attributes)
{
    if (GSErrCode err = CheckAttributeType(type); err != NoError)
        return err;
    attributes.Clear();
    if (type == API_BuildingMaterialID)
        PutAll(Attrs().buildingMaterials, attributes);
    else
        PutAll(Attrs().composites, attributes);
    return NoError;
}

GSErrCode Search(API_Attr_Head* head)
{
    if (head == nullptr)
        return APIERR_BADPARS;
    if (GSErrCode err = CheckAttributeType(head->typeID); err != NoError)
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
    if (GSErrCode err = CheckAttributeType(attribute->header.typeID); err != NoError)
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

GSErrCode CreateAttribute(API_Attribute* attribute, API_CWallComponent** skinItems,
                          API_CWallLineComponent** lineItems)
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
    if (GSErrCode err = ReadComposition(skinItems, lineItems, attribute->compWall.nComps, {}, &composite.skins,
                                        &composite.lines);
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

GSErrCode Create(API_Attribute* attribute, API_AttributeDef* defs)
{
    return CreateAttribute(attribute, defs != nullptr ? defs->cwall_compItems : nullptr, nullptr);
}

GSErrCode CreateExt(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    if (defs != nullptr && attribute != nullptr && attribute->header.typeID == API_CompWallID &&
        defs->cwall_compLItems == nullptr)
        return APIERR_BADPARS;  // the extended call brings the lines along
    return CreateAttribute(attribute, defs != nullptr ? defs->cwall_compItems : nullptr,
                           defs != nullptr ? defs->cwall_compLItems : nullptr);
}

// The attribute being modified: found as Lookup finds it; the record's name becomes its name, which no
// other attribute of the kind may have.
template <typename Attribute>
GSErrCode FindModified(AttributeTable<Attribute>& table, const API_Attr_Head& head, const std::string& name,
                       Attribute** existing)
{
    if (GSErrCode err = Lookup(table, head, existing); err != NoError)
        return err;
    const Attribute* holder = table.FindByName(name);
    return holder != nullptr && holder != *existing ? APIERR_ATTREXIST : NoError;
}

// Without skins only the header's settings change; the skins and lines stay.
GSErrCode ModifyAttribute(API_Attribute* attribute, bool withDefs, API_CWallComponent** skinItems,
                          API_CWallLineComponent** lineItems)
{
    std::string name;
    if (GSErrCode err = CheckWrittenRecord(attribute, &name); err != NoError)
        return err;
    Model::Attributes& attributes = Attrs();

    if (attribute->header.typeID == API_BuildingMaterialID) {
        BuildingMaterial* existing = nullptr;
        if (GSErrCode err = FindModified(attributes.buildingMaterials, attribute->header, name, &existing);
            err != NoError)
            return err;
        BuildingMaterial changed = *existing;
        if (GSErrCode err = FromRecord(attribute->buildingMaterial, changed); err != NoError)
            return err;
        changed.name = name;
        *existing = std::move(changed);
        attribute->header.index = IndexOf(existing->index);
        attribute->header.guid = existing->guid;
        return NoError;
    }

    Composite* existing = nullptr;
    if (GSErrCode err = FindModified(attributes.composites, attribute->header, name, &existing); err != NoError)
        return err;
    Composite changed = *existing;
    changed.name = name;
    changed.usage = attribute->header.flags;
    if (withDefs) {
        if (GSErrCode err = ReadComposition(skinItems, lineItems, attribute->compWall.nComps, existing->lines,
                                            &changed.skins, &changed.lines);
            err != NoError)
            return err;
        changed.totalThickness = Composite::SumOfSkins(changed.skins);
    }
    *existing = std::move(changed);
    TheHost().GetProject().elements.FollowComposite(*existing);
    attribute->header.index = IndexOf(existing->index);
    attribute->header.guid = existing->guid;
    attribute->compWall.totalThick = existing->totalThickness;
    attribute->compWall.nComps = static_cast<short>(existing->skins.size());
    return NoError;
}

GSErrCode Modify(API_Attribute* attribute, API_AttributeDef* defs)
{
    return ModifyAttribute(attribute, defs != nullptr, defs != nullptr ? defs->cwall_compItems : nullptr, nullptr);
}

GSErrCode ModifyExt(API_Attribute* attribute, API_AttributeDefExt* defs)
{
    if (defs != nullptr && attribute != nullptr && attribute->header.typeID == API_CompWallID &&
        defs->cwall_compLItems == nullptr)
        return APIERR_BADPARS;  // the extended call brings the lines along
    return ModifyAttribute(attribute, defs != nullptr, defs != nullptr ? defs->cwall_compItems : nullptr,
                           defs != nullptr ? defs->cwall_compLItems : nullptr);
}

// The highest index in use, so that reading every index from 1 to it reaches every attribute.
GSErrCode GetNum(API_AttrTypeID type, UInt32& count)
{
    if (GSErrCode err = CheckAttributeType(type); err != NoError)
        return err;
    const Model::Attributes& attributes = Attrs();
    count = static_cast<UInt32>(type == API_BuildingMaterialID ? attributes.buildingMaterials.HighestIndex()
                                                               : attributes.composites.HighestIndex());
    return NoError;
}

template <typename Item>
Item** AllocateArray(size_t count)
{
    return reinterpret_cast<Item**>(BMAllocateHandle(static_cast<Int32>(count * sizeof(Item)), ALLOCATE_CLEAR, 0));
}

template <typename Item>
void Kill(Item**& handle)
{
    auto raw = reinterpret_cast<GSHandle>(handle);
    BMKillHandle(&raw);
    handle = nullptr;
}

// New handles of the composite's skins and, when `lineItems` is given, its lines.
GSErrCode PutComposition(API_AttrTypeID type, API_AttributeIndex index, API_CWallComponent*** skinItems,
                         API_CWallLineComponent*** lineItems)
{
    if (GSErrCode err = CheckAttributeType(type); err != NoError)
        return err;
    Model::Attributes& attributes = Attrs();
    if (type == API_BuildingMaterialID)  // building materials have no definitions
        return attributes.buildingMaterials.FindByIndex(IndexNumber(index)) != nullptr ? NoError : APIERR_BADINDEX;

    const Composite* composite = attributes.composites.FindByIndex(IndexNumber(index));
    if (composite == nullptr)
        return APIERR_BADINDEX;
    auto** skins = AllocateArray<API_CWallComponent>(composite->skins.size());
    auto** lines = lineItems != nullptr ? AllocateArray<API_CWallLineComponent>(composite->lines.size()) : nullptr;
    if (skins == nullptr || (lineItems != nullptr && lines == nullptr)) {
        Kill(skins);
        Kill(lines);
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
    *skinItems = skins;
    if (lineItems == nullptr)
        return NoError;
    for (size_t i = 0; i < composite->lines.size(); ++i) {
        const CompositeLine& line = composite->lines[i];
        API_CWallLineComponent& out = (*lines)[i];
        out.ltypeInd = IndexOf(line.lineType);
        out.linePen = line.pen;
    }
    *lineItems = lines;
    return NoError;
}

GSErrCode GetDef(API_AttrTypeID type, API_AttributeIndex index, API_AttributeDef* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    *defs = API_AttributeDef{};
    return PutComposition(type, index, &defs->cwall_compItems, nullptr);
}

GSErrCode GetDefExt(API_AttrTypeID type, API_AttributeIndex index, API_AttributeDefExt* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    *defs = API_AttributeDefExt{};
    return PutComposition(type, index, &defs->cwall_compItems, &defs->cwall_compLItems);
}

GSErrCode DisposeAttrDefsHdls(API_AttributeDef* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    Kill(defs->cwall_compItems);
    return NoError;
}

GSErrCode DisposeAttrDefsHdlsExt(API_AttributeDefExt* defs)
{
    if (defs == nullptr)
        return APIERR_BADPARS;
    Kill(defs->cwall_compItems);
    Kill(defs->cwall_compLItems);
    return NoError;
}

// The stored priority is twice the interface's: 0 to 16 become 0 to 32.
GSErrCode UI2ElemPriority(GS::Int32* uiPriority, GS::Int32* elemPriority)
{
    if (uiPriority == nullptr || elemPriority == nullptr || *uiPriority < 0 || *uiPriority > HighestUIPriority)
        return APIERR_BADPARS;
    *elemPriority = *uiPriority * 2;
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Attributes)
{
    using namespace Sim;
    SIM_BIND(table, Attribute_Get, &Get);
    SIM_BIND(table, Attribute_GetAttributesByType, &GetAttributesByType);
    SIM_BIND(table, Attribute_Search, &Search);
    SIM_BIND(table, Attribute_Create, &Create);
    SIM_BIND(table, Attribute_CreateExt, &CreateExt);
    SIM_BIND(table, Attribute_Modify, &Modify);
    SIM_BIND(table, Attribute_ModifyExt, &ModifyExt);
    SIM_BIND(table, Attribute_GetNum, &GetNum);
    SIM_BIND(table, Attribute_GetDef, &GetDef);
    SIM_BIND(table, Attribute_GetDefExt, &GetDefExt);
    SIM_BIND(table, DisposeAttrDefsHdls, &DisposeAttrDefsHdls);
    SIM_BIND(table, DisposeAttrDefsHdlsExt, &DisposeAttrDefsHdlsExt);
    SIM_BIND(table, Element_UI2ElemPriority, &UI2ElemPriority);
}
