// Element functions: lists, reads, changes, names, quantities, IFC attributes, observers, and the databases.
// A change an add-on makes here raises no notification to that add-on: the host only tells add-ons about
// what the user (or another add-on) did, never about their own commands.
#include "ACAPinc.h"
#include "Host.hpp"
#include "Model/ElementQuantities.hpp"
#include "ModelState.hpp"
#include "NotificationScope.hpp"
#include "AttributeIndex.hpp"
#include "SimUtf8.hpp"
#include "UndoHistory.hpp"

#include <type_traits>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>
#include "UndoScope.hpp"

namespace Sim {
namespace {

using Model::Element;

Project& TheProject() { return TheHost().GetProject(); }
ModelState& State() { return TheModelState(TheHost()); }

// The element of a GUID as the add-on may see it: APIERR_DELETED for one deleted in this run,
// APIERR_BADID for an unknown one, or while the current database shows no model.
template <typename ElementPointer>
GSErrCode LookupAs(const API_Guid& guid, ElementPointer* found, ElementPointer element)
{
    *found = State().ModelVisible() ? element : nullptr;
    if (*found != nullptr)
        return NoError;
    return State().deleted.count(guid) != 0 ? APIERR_DELETED : APIERR_BADID;
}

// The element to change; a reader takes the const one, which leaves the model's indexes as they are.
GSErrCode Lookup(const API_Guid& guid, Element** found)
{
    return LookupAs(guid, found, TheProject().elements.Find(guid));
}

GSErrCode Lookup(const API_Guid& guid, const Element** found)
{
    const Project& project = TheProject();
    return LookupAs(guid, found, project.elements.Find(guid));
}

bool IsKnownType(API_ElemTypeID type)
{
    switch (type) {
        case API_CurtainWallSegmentID:
        case API_CurtainWallFrameID:
        case API_CurtainWallPanelID:
        case API_RiserID:
        case API_TreadID:
        case API_StairStructureID: return true;
        default: return Element::IsModelType(type);
    }
}

bool Passes(const Element& element, API_ElemFilterFlags flags)
{
    if ((flags & APIFilt_OnVisLayer) != 0 && !element.onVisibleLayer)
        return false;
    if ((flags & APIFilt_In3D) != 0 && !element.in3D)
        return false;
    return true;
}

void FillHeader(const Element& element, API_Elem_Head& header)
{
    std::memset(&header, 0, sizeof header);
    header.type = element.type;
    header.guid = element.guid;
}

void FillRecord(const Element& element, API_Element& record)
{
    std::memset(&record, 0, sizeof record);
    FillHeader(element, record.header);
    switch (element.type) {
        case API_WallID:
            record.wall.modelElemStructureType = element.structure;
            record.wall.buildingMaterial = IndexOf(element.buildingMaterial);
            record.wall.composite = IndexOf(element.composite);
            record.wall.profileAttr = IndexOf(element.profile);
            record.wall.thickness = element.thickness;
            record.wall.thickness1 = element.endThickness;
            record.wall.type = static_cast<API_WallTypeID>(element.wallGeometry);
            record.wall.height = element.height;
            break;
        case API_SlabID:
            record.slab.modelElemStructureType = element.structure;
            record.slab.buildingMaterial = IndexOf(element.buildingMaterial);
            record.slab.composite = IndexOf(element.composite);
            record.slab.thickness = element.thickness;
            break;
        case API_RoofID:
            record.roof.shellBase = {element.structure, IndexOf(element.buildingMaterial), IndexOf(element.composite),
                                     element.thickness};
            break;
        case API_ColumnID: record.column.height = element.height; break;
        case API_WindowID:
        case API_DoorID: record.window.openingBase = {element.width, element.height, element.libraryPart.index}; break;
        case API_ObjectID:
            record.object.ownerType = element.ownerType;
            record.object.owner = element.owner;
            record.object.libInd = element.libraryPart.index;
            break;
        case API_CurtainWallID: record.curtainWall.height = element.height; break;
        case API_StairID: record.stair.totalHeight = element.height; break;
        default: break;
    }
}

// Whether the mask marks the field: any byte of it set.
template <typename Field>
bool Marked(const API_Element& record, const API_Element& mask, const Field& field)
{
    const auto offset = reinterpret_cast<const char*>(&field) - reinterpret_cast<const char*>(&record);
    const char* bytes = reinterpret_cast<const char*>(&mask) + offset;
    for (size_t i = 0; i < sizeof(Field); ++i)
        if (bytes[i] != 0)
            return true;
    return false;
}

// Takes the marked fields of the record into `element`.
class ChangeReader {
public:
    ChangeReader(const API_Element& record, const API_Element& mask) : record_(record), mask_(mask) {}

    template <typename Field, typename Target>
    void Take(const Field& field, Target& target) const
    {
        if (!Marked(record_, mask_, field))
            return;
        if constexpr (std::is_same_v<Field, API_AttributeIndex>)
            target = static_cast<Target>(IndexNumber(field));
        else
            target = static_cast<Target>(field);
    }

private:
    const API_Element& record_;
    const API_Element& mask_;
};

void TakeStructure(const ChangeReader& take, const API_ModelElemStructureType& structure,
                   const API_AttributeIndex& buildingMaterial, const API_AttributeIndex& composite,
                   const double& thickness, Element& element)
{
    take.Take(structure, element.structure);
    take.Take(buildingMaterial, element.buildingMaterial);
    take.Take(composite, element.composite);
    take.Take(thickness, element.thickness);
}

bool ValidSize(double value) { return std::isfinite(value) && value >= 0.0; }

// The rules the user interface keeps too: attributes exist, sizes are sizes, a composite element is as
// thick as its composite.
GSErrCode CheckChanged(Element& element)
{
    const Model::Attributes& attributes = TheProject().attributes;
    if (element.HasStructure()) {
        if (element.structure != API_BasicStructure && element.structure != API_CompositeStructure &&
            element.structure != API_ProfileStructure)
            return APIERR_BADPARS;
        if (element.structure == API_ProfileStructure && element.type != API_WallID)
            return APIERR_BADPARS;
        if (element.structure == API_BasicStructure &&
            attributes.buildingMaterials.FindByIndex(element.buildingMaterial) == nullptr)
            return APIERR_BADINDEX;
        if (element.structure == API_CompositeStructure) {
            const Model::Composite* composite = attributes.composites.FindByIndex(element.composite);
            if (composite == nullptr)
                return APIERR_BADINDEX;
            element.thickness = element.endThickness = composite->totalThickness;
        }
        if (element.type == API_WallID && element.wallGeometry != APIWtyp_Normal &&
            element.wallGeometry != APIWtyp_Trapez && element.wallGeometry != APIWtyp_Poly)
            return APIERR_BADPARS;
    }
    if (element.buildingMaterial != 0 && attributes.buildingMaterials.FindByIndex(element.buildingMaterial) == nullptr)
        return APIERR_BADINDEX;
    if (element.composite != 0 && attributes.composites.FindByIndex(element.composite) == nullptr)
        return APIERR_BADINDEX;
    for (double size : {element.length, element.width, element.height, element.thickness, element.endThickness})
        if (!ValidSize(size))
            return APIERR_BADPARS;
    return NoError;
}

GSErrCode GetElemList(const API_ElemType& elemType, GS::Array<API_Guid>* guids, API_ElemFilterFlags filterBits,
                      const API_Guid& /*renovationFilterGuid*/)
{
    const API_ElemType* type = &elemType;
    if (guids == nullptr)
        return APIERR_BADPARS;
    if (type->typeID != API_ZombieElemID && !IsKnownType(type->typeID))
        return APIERR_BADELEMENTTYPE;
    guids->Clear();
    if (!State().ModelVisible())
        return NoError;
    for (const auto& element : TheProject().elements.All())
        if ((type->typeID == API_ZombieElemID || element.type == type->typeID) && Passes(element, filterBits))
            guids->Push(element.guid);
    return NoError;
}

GSErrCode Get(API_Element* record, UInt32 /*mask*/)
{
    if (record == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(record->header.guid, &element); err != NoError)
        return err;
    FillRecord(*element, *record);
    return NoError;
}

GSErrCode GetHeader(API_Elem_Head* header, UInt32 /*mask*/)
{
    if (header == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(header->guid, &element); err != NoError)
        return err;
    FillHeader(*element, *header);
    return NoError;
}

// The record is given back as the host then holds the element. Memos are not simulated, nor a change that
// keeps the original (withdel false): both are refused rather than half done.
GSErrCode Change(API_Element* record, const API_Element* mask, const API_ElementMemo* memo, UInt64 memoMask,
                 bool withdel)
{
    if (GSErrCode err = CheckCallScope("ACAPI_Element_Change", HostCall::UndoableModifier); err != NoError)
        return err;
    if (record == nullptr || mask == nullptr)
        return APIERR_BADPARS;
    if ((memo != nullptr && memoMask != 0) || !withdel)
        return APIERR_NOTSUPPORTED;
    Element* element = nullptr;
    if (GSErrCode err = Lookup(record->header.guid, &element); err != NoError)
        return err;
    if (record->header.type.typeID != element->type)
        return APIERR_BADPARS;

    Element changed = *element;
    const ChangeReader take(*record, *mask);
    switch (changed.type) {
        case API_WallID: {
            const API_WallType& wall = record->wall;
            TakeStructure(take, wall.modelElemStructureType, wall.buildingMaterial, wall.composite, wall.thickness,
                          changed);
            take.Take(wall.profileAttr, changed.profile);
            take.Take(wall.thickness1, changed.endThickness);
            take.Take(wall.type, changed.wallGeometry);
            take.Take(wall.height, changed.height);
            break;
        }
        case API_SlabID: {
            const API_SlabType& slab = record->slab;
            TakeStructure(take, slab.modelElemStructureType, slab.buildingMaterial, slab.composite, slab.thickness,
                          changed);
            break;
        }
        case API_RoofID: {
            const API_ShellBaseType& shell = record->roof.shellBase;
            TakeStructure(take, shell.modelElemStructureType, shell.buildingMaterial, shell.composite,
                          shell.thickness, changed);
            break;
        }
        case API_ColumnID: take.Take(record->column.height, changed.height); break;
        case API_WindowID:
        case API_DoorID:
            take.Take(record->window.openingBase.width, changed.width);
            take.Take(record->window.openingBase.height, changed.height);
            break;
        case API_CurtainWallID: take.Take(record->curtainWall.height, changed.height); break;
        case API_StairID: take.Take(record->stair.totalHeight, changed.height); break;
        default: break;
    }
    if (changed.type == API_SlabID || changed.type == API_RoofID)
        changed.endThickness = changed.thickness;
    if (GSErrCode err = CheckChanged(changed); err != NoError)
        return err;
    WillChangeElement(element->guid);
    *element = std::move(changed);
    FillRecord(*element, *record);
    TheHost().GetTranscript().Record("element", {{"event", "changed"},
                                                 {"guid", Sim::Utf8(APIGuidToString(element->guid))}});
    return NoError;
}

bool Filter(const API_Guid& guid, API_ElemFilterFlags filterBits, API_ElemVariationID /*variationID*/,
            const API_Guid& /*renovationFilterGuid*/)
{
    const Element* element = nullptr;
    return Lookup(guid, &element) == NoError && Passes(*element, filterBits);
}

struct TypeName {
    API_ElemTypeID type;
    const char* name;
};
const TypeName typeNames[] = {
    {API_WallID, "Wall"},
    {API_ColumnID, "Column"},
    {API_BeamID, "Beam"},
    {API_WindowID, "Window"},
    {API_DoorID, "Door"},
    {API_SlabID, "Slab"},
    {API_RoofID, "Roof"},
    {API_ObjectID, "Object"},
    {API_CurtainWallID, "Curtain Wall"},
    {API_CurtainWallSegmentID, "Curtain Wall Segment"},
    {API_CurtainWallFrameID, "Curtain Wall Frame"},
    {API_CurtainWallPanelID, "Curtain Wall Panel"},
    {API_StairID, "Stair"},
    {API_RiserID, "Riser"},
    {API_TreadID, "Tread"},
    {API_StairStructureID, "Stair Structure"},
};

GSErrCode GetElemTypeName(const API_ElemType& type, GS::UniString& name)
{
    for (const auto& entry : typeNames) {
        if (entry.type == type.typeID) {
            name = GS::UniString(entry.name);
            return NoError;
        }
    }
    return APIERR_BADELEMENTTYPE;
}

GSErrCode GetElemLibPartUnId(API_Elem_Head* elemHead, char* unId)
{
    if (elemHead == nullptr || unId == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(elemHead->guid, &element); err != NoError)
        return err;
    if (!element->HasLibraryPart())
        return APIERR_BADELEMENTTYPE;
    constexpr size_t BufferSize = 128;
    std::memset(unId, 0, BufferSize);
    std::memcpy(unId, element->libraryPart.unId.data(), std::min(element->libraryPart.unId.size(), BufferSize - 1));
    return NoError;
}

// Every IFC attribute the simulator knows is stored with the element, so `storedOnly` changes nothing.
GSErrCode GetIFCAttributes(const API_Guid& guid, bool /*storedOnly*/, GS::Array<API_IFCAttribute>* attributes)
{
    if (attributes == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(guid, &element); err != NoError)
        return err;
    attributes->Clear();
    for (const auto& attribute : element->ifcAttributes)
        attributes->Push({Sim::Uni(attribute.name), Sim::Uni(attribute.value)});
    return NoError;
}

// Whether any byte of the mask's field is set.
bool MarkedField(const void* maskField, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(maskField);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i] != 0)
            return true;
    return false;
}

// Copies the fields of one kind's quantity record that the mask marks. The records are doubles and pairs
// of 32-bit counts, so they are walked in 8-byte units: a marked count brings its neighbour along.
template <typename Record>
void CopyMarked(const Record& from, const Record& mask, Record& to)
{
    static_assert(sizeof(Record) % sizeof(double) == 0, "quantity records are made of 8-byte units");
    const auto* source = reinterpret_cast<const unsigned char*>(&from);
    const auto* marks = reinterpret_cast<const unsigned char*>(&mask);
    auto* target = reinterpret_cast<unsigned char*>(&to);
    for (size_t offset = 0; offset < sizeof(Record); offset += sizeof(double))
        if (MarkedField(marks + offset, sizeof(double)))
            std::memcpy(target + offset, source + offset, sizeof(double));
}

void CopyMarkedQuantities(API_ElemTypeID type, const API_ElementQuantity& from, const API_ElementQuantityMask& mask,
                          API_ElementQuantity& to)
{
    switch (type) {
        case API_WallID: CopyMarked(from.wall, mask.wall, to.wall); break;
        case API_ColumnID: CopyMarked(from.column, mask.column, to.column); break;
        case API_BeamID: CopyMarked(from.beam, mask.beam, to.beam); break;
        case API_ObjectID: CopyMarked(from.symb, mask.symb, to.symb); break;
        case API_WindowID: CopyMarked(from.window, mask.window, to.window); break;
        case API_DoorID: CopyMarked(from.door, mask.door, to.door); break;
        case API_SlabID: CopyMarked(from.slab, mask.slab, to.slab); break;
        case API_RoofID: CopyMarked(from.roof, mask.roof, to.roof); break;
        case API_CurtainWallID: CopyMarked(from.cw, mask.cw, to.cw); break;
        case API_StairID: CopyMarked(from.stair, mask.stair, to.stair); break;
        default: break;
    }
}

API_CompositeQuantity MaskedPart(const API_CompositeQuantity& part, const API_CompositeQuantityMask& mask)
{
    API_CompositeQuantity masked;
    std::memset(&masked, 0, sizeof masked);
    if (MarkedField(&mask.volumes, sizeof mask.volumes))
        masked.volumes = part.volumes;
    if (MarkedField(&mask.projectedArea, sizeof mask.projectedArea))
        masked.projectedArea = part.projectedArea;
    if (MarkedField(&mask.buildMatIndices, sizeof mask.buildMatIndices))
        masked.buildMatIndices = part.buildMatIndices;
    if (MarkedField(&mask.flags, sizeof mask.flags))
        masked.flags = part.flags;
    return masked;
}

// Fills what `quantities` points at: without a mask everything (and both members must be given), with one
// the marked fields only. Without parameters every opening cuts its wall.
GSErrCode FillQuantities(const Element& element, const API_QuantityPar* params, const API_QuantitiesMask* mask,
                         API_Quantities& quantities)
{
    if (mask == nullptr && (quantities.elements == nullptr || quantities.composites == nullptr))
        return APIERR_BADPARS;
    const double minOpeningSize = params != nullptr ? params->minOpeningSize : 0.0;
    if (quantities.elements != nullptr) {
        const API_ElementQuantity all = Model::QuantitiesOf(element, TheProject(), minOpeningSize);
        if (mask == nullptr)
            *quantities.elements = all;
        else
            CopyMarkedQuantities(element.type, all, mask->elements, *quantities.elements);
    }
    if (quantities.composites != nullptr) {
        quantities.composites->Clear();
        for (const auto& part : Model::MaterialPartsOf(element, TheProject(), minOpeningSize))
            quantities.composites->Push(mask == nullptr ? part : MaskedPart(part, mask->composites));
    }
    return NoError;
}

GSErrCode GetQuantities(API_Guid elemGuid, const API_QuantityPar* params, API_Quantities* quantities,
                        const API_QuantitiesMask* mask)
{
    if (quantities == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(elemGuid, &element); err != NoError)
        return err;
    return FillQuantities(*element, params, mask, *quantities);
}

// All elements are looked up before anything is filled, so a bad GUID leaves every record as it was.
GSErrCode GetMoreQuantities(const GS::Array<API_Guid>* elemGuids, const API_QuantityPar* params,
                            GS::Array<API_Quantities>* quantities, const API_QuantitiesMask* mask)
{
    if (elemGuids == nullptr || quantities == nullptr || quantities->GetSize() != elemGuids->GetSize())
        return APIERR_BADPARS;
    std::vector<const Element*> elements;
    for (const API_Guid& guid : *elemGuids) {
        const Element* element = nullptr;
        if (GSErrCode err = Lookup(guid, &element); err != NoError)
            return err;
        elements.push_back(element);
    }
    for (UIndex i = 0; i < quantities->GetSize(); ++i)
        if (mask == nullptr && ((*quantities)[i].elements == nullptr || (*quantities)[i].composites == nullptr))
            return APIERR_BADPARS;
    for (UIndex i = 0; i < quantities->GetSize(); ++i)
        FillQuantities(*elements[i], params, mask, (*quantities)[i]);
    return NoError;
}

GSErrCode Get3DInfo(const API_Elem_Head& elemHead, API_ElemInfo3D* info3D)
{
    if (info3D == nullptr)
        return APIERR_BADPARS;
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(elemHead.guid, &element); err != NoError)
        return err;
    if (!element->in3D)
        return APIERR_NO3D;
    info3D->bounds = Model::BoundsOf(*element);
    return NoError;
}

GSErrCode AttachObserver(const API_Guid& elemGuid, GSFlags /*notifyFlags*/)
{
    const Element* element = nullptr;
    if (GSErrCode err = Lookup(elemGuid, &element); err != NoError)
        return err;
    return State().observed.insert(elemGuid).second ? NoError : APIERR_LINKEXIST;
}

// The original of the element being notified about, read as ACAPI_Element_Get reads it. Memos and user
// data of the parent are not simulated.
GSErrCode GetParentElement(API_Element* element, API_ElementMemo* memo, UInt64 /*mask*/,
                           API_ElementUserData* userData)
{
    if (element == nullptr)
        return APIERR_BADPARS;
    if (memo != nullptr || userData != nullptr)
        return APIERR_NOTSUPPORTED;
    const API_Guid parent = NotificationScope::Parent();
    if (parent == APINULLGuid)
        return APIERR_REFUSEDCMD;
    const Element* found = TheProject().elements.Find(parent);
    if (found == nullptr)
        return APIERR_REFUSEDCMD;
    FillRecord(*found, *element);
    return NoError;
}

// A database named by its identity, or by its kind when the identity is null.
const Database* FindDatabase(const API_DatabaseInfo& info)
{
    if (info.databaseUnId.elemSetId != APINULLGuid)
        return State().FindDatabase(info.databaseUnId.elemSetId);
    return State().FindDatabase(info.typeID);
}

GSErrCode GetCurrentDatabase(API_DatabaseInfo* info)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    State().FillInfo(State().Current(), *info);
    return NoError;
}

GSErrCode ChangeCurrentDatabase(API_DatabaseInfo* info)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    const Database* database = FindDatabase(*info);
    if (database == nullptr)
        return APIERR_BADDATABASE;
    if (database->id != State().Current().id) {
        State().SetCurrent(database->id);
        TheHost().GetTranscript().Record("database", {{"event", "current"}, {"name", database->name}});
    }
    State().FillInfo(*database, *info);
    return NoError;
}

GSErrCode GetDatabaseInfo(API_DatabaseInfo* info, API_DatabaseUnId* /*databaseId*/)
{
    if (info == nullptr)
        return APIERR_BADPARS;
    const Database* database = FindDatabase(*info);
    if (database == nullptr)
        return APIERR_BADDATABASE;
    State().FillInfo(*database, *info);
    return NoError;
}

}  // namespace
}  // namespace Sim

SIM_FAMILY(Elements)
{
    using namespace Sim;
    SIM_BIND(table, Element_GetElemList, &GetElemList);
    SIM_BIND(table, Element_Get, &Get);
    SIM_BIND(table, Element_GetHeader, &GetHeader);
    SIM_BIND(table, Element_Change, &Change);
    SIM_BIND(table, Element_Filter, &Filter);
    SIM_BIND(table, Element_GetElemTypeName, &GetElemTypeName);
    SIM_BIND(table, LibraryPart_GetElemLibPartUnId, &GetElemLibPartUnId);
    SIM_BIND(table, Element_GetIFCAttributes, &GetIFCAttributes);
    SIM_BIND(table, Element_GetQuantities, &GetQuantities);
    SIM_BIND(table, Element_GetMoreQuantities, &GetMoreQuantities);
    SIM_BIND(table, ModelAccess_Get3DInfo, &Get3DInfo);
    SIM_BIND(table, Element_AttachObserver, &AttachObserver);
    SIM_BIND(table, Notification_GetParentElement, &GetParentElement);
    SIM_BIND(table, Database_GetCurrentDatabase, &GetCurrentDatabase);
    SIM_BIND(table, Database_ChangeCurrentDatabase, &ChangeCurrentDatabase);
    SIM_BIND(table, Window_GetDatabaseInfo, &GetDatabaseInfo);
}
