// The model's elements: walls, slabs, roofs, columns, beams, windows, doors, objects, curtain walls and
// stairs (with the objects that make up curtain-wall frames and stair parts), each with its GUID, kind,
// layer visibility and 3D presence, what gives it its structure, its size, its library part, its IFC
// attributes, and what add-ons attached to it.
//
// Sizes are kept as the few numbers the host's quantities are derived from (Model/ElementQuantities.hpp);
// which of length, width, height and thickness a kind uses is listed in docs/project-file.md.
#pragma once

#include "APIdefs_Elements.h"
#include "Model/AttachedData.hpp"
#include "Model/Attributes.hpp"
#include "Model/GuidHash.hpp"
#include "Model/ModelVisits.hpp"

#include <cstring>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace Sim::Model {

struct IfcAttribute {
    std::string name;
    std::string value;

    bool operator==(const IfcAttribute& other) const { return name == other.name && value == other.value; }
};

struct Point3 {
    double x = 0.0, y = 0.0, z = 0.0;

    bool operator==(const Point3& other) const { return x == other.x && y == other.y && z == other.z; }
};

// The library part an object, window or door is an instance of. Index 0: none (not GDL based).
struct LibraryPartRef {
    Int32 index = 0;
    std::string unId;  // the part's unique id, at most 127 bytes

    bool operator==(const LibraryPartRef& other) const { return index == other.index && unId == other.unId; }
};

// A rectangular hole through a slab or roof, its sides in metres.
struct Hole {
    double length = 0.0;
    double width = 0.0;

    bool operator==(const Hole& other) const { return length == other.length && width == other.width; }
};

// The skin a column's veneer wraps around its core, as thick on every side.
struct Veneer {
    Int32 buildingMaterial = 0;  // 0: no veneer
    double thickness = 0.0;

    bool operator==(const Veneer& other) const
    {
        return buildingMaterial == other.buildingMaterial && thickness == other.thickness;
    }
};

// One building material's share of a profiled column's or beam's cross-section.
struct SectionPart {
    Int32 buildingMaterial = 0;
    double area = 0.0;  // square metres of the section

    bool operator==(const SectionPart& other) const
    {
        return buildingMaterial == other.buildingMaterial && area == other.area;
    }
};

struct Element {
    API_Guid guid{};
    API_ElemTypeID type = API_WallID;
    bool onVisibleLayer = true;
    bool in3D = true;
    std::optional<AttributeUserData> userData;  // element user data (version 1 by convention)
    AttachedData attached;
    std::vector<IfcAttribute> ifcAttributes;  // in the host's order

    // Walls, slabs, roofs: what gives the element its structure. Columns and beams use the building material.
    API_ModelElemStructureType structure = API_BasicStructure;
    Int32 buildingMaterial = 0;
    Int32 composite = 0;
    Int32 profile = 0;  // walls with a complex profile; not held as an attribute here
    short wallGeometry = APIWtyp_Normal;

    // Size in metres; see the kind's table in docs/project-file.md.
    Point3 origin;
    double length = 0.0;
    double width = 0.0;
    double height = 0.0;
    double thickness = 0.0;     // walls: at the start; slabs, roofs; windows and doors: the opening's depth
    double endThickness = 0.0;  // walls: at the end
    double planArea = 0.0;      // polygonal walls: the area of the plan polygon (0: length × mean thickness)
    std::vector<Hole> holes;    // slabs, roofs
    Veneer veneer;              // columns
    std::vector<SectionPart> sectionParts;  // profiled columns and beams; empty: one part of buildingMaterial
    API_Guid wall{};            // windows, doors: the wall the opening cuts, or null

    LibraryPartRef libraryPart;                  // objects, windows, doors
    API_ElemTypeID ownerType = API_ZombieElemID; // objects that are part of a curtain wall or stair
    API_Guid owner{};

    static bool IsModelType(API_ElemTypeID type);  // a kind the model holds as elements
    bool HasStructure() const { return type == API_WallID || type == API_SlabID || type == API_RoofID; }
    bool HasLibraryPart() const { return libraryPart.index > 0; }

    // The value of the first IFC attribute of that name, or null.
    const std::string* IfcValue(const std::string& name) const;
    // Sets the first attribute of that name, or appends one.
    void SetIfcAttribute(const std::string& name, const std::string& value);

    bool operator==(const Element& other) const;
    bool operator!=(const Element& other) const { return !(*this == other); }
};

class Elements {
public:
    // A walk of the whole listing: counted as a visit of every element (Model/ModelVisits.hpp).
    const std::vector<Element>& All() const
    {
        CountVisits(items_.size());
        return items_;
    }
    size_t Size() const { return items_.size(); }
    // The element at a position an index gave (OpeningPositionsOf, PositionOf): one visit.
    const Element& At(size_t position) const
    {
        CountVisits(1);
        return items_[position];
    }
    Element* Find(const API_Guid& guid);
    const Element* Find(const API_Guid& guid) const;
    // An element whose own data is to change (its properties, classification, user data), never what it
    // is or what it sits in: unlike Find, it leaves the index of openings and parts as it is.
    Element* FindToChangeData(const API_Guid& guid);
    Element& Add(Element element);
    // Puts the element back at `position` in the listing order (undo of a deletion), or at the end.
    Element& Insert(size_t position, Element element);
    size_t PositionOf(const API_Guid& guid) const;  // All().size() when absent
    bool Remove(const API_Guid& guid);
    bool ContainsGuid(const API_Guid& guid) const { return Find(guid) != nullptr; }
    // Every wall, slab and roof built of the composite takes its (new) thickness, at both ends of a wall:
    // an element is never left thinner or thicker than what it is built of.
    void FollowComposite(const Composite& composite);
    // The positions of the windows and doors that sit in `wall`, and of the elements that are parts of
    // `owner` (a curtain wall's frames, a stair's risers), in listing order: what an element's measures
    // are made of, found without going through the whole model for each element.
    const std::vector<UInt32>& OpeningPositionsOf(const API_Guid& wall) const;
    const std::vector<UInt32>& PartPositionsOf(const API_Guid& owner) const;

    bool operator==(const Elements& other) const { return items_ == other.items_; }
    bool operator!=(const Elements& other) const { return !(*this == other); }

private:
    // Where each GUID sits in items_: an open-addressed table (linear probing, at most half full), so a
    // look-up on a large model costs one random memory access instead of the three of a node-based map.
    // A GUID is given before the element is added and never changes afterwards; a position found stale
    // (after an insertion or removal) makes the index be rebuilt.
    struct Slot {
        static constexpr UInt32 Empty = 0xFFFFFFFF;
        API_Guid guid{};
        UInt32 position = Empty;
    };
    size_t IndexedPosition(const API_Guid& guid) const;
    size_t FindSlot(const API_Guid& guid) const;  // the slot holding guid, or the empty slot where it would go
    void Place(size_t position) const;
    void Reindex() const;

    std::vector<Element> items_;  // in creation order, which is the host's listing order
    mutable std::vector<Slot> slots_;
    mutable bool indexed_ = true;
    using Positions = std::unordered_map<API_Guid, std::vector<UInt32>, GuidHash>;
    const std::vector<UInt32>& PositionsIn(const Positions& index, const API_Guid& guid) const;
    // Rebuilt at the first look-up after anything could have changed an element: an addition, insertion
    // or removal, or a Find that hands out an element to change.
    mutable Positions openings_;  // by wall
    mutable Positions parts_;     // by owner
    mutable bool relationsIndexed_ = false;
};

}  // namespace Sim::Model
