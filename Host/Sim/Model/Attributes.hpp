// The project's attributes as the host keeps them: building materials and composites, each with a stable
// index (unique within its type, never reused) and a GUID (unique within the project), plus the user data
// an add-on may attach to any attribute.
#pragma once

#include "APIdefs_Attributes.h"
#include "Model/AttachedData.hpp"
#include "Model/GuidHash.hpp"
#include "Model/ModelVisits.hpp"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace Sim::Model {

// Bytes an add-on stored on an attribute, with the version and platform sign it stored them under.
struct AttributeUserData {
    Int32 dataVersion = 0;
    UInt16 platformSign = 0;
    std::string bytes;  // any bytes, NULs included

    bool operator==(const AttributeUserData& other) const;
    bool operator!=(const AttributeUserData& other) const { return !(*this == other); }
};

// What every attribute has, whatever its type.
struct AttributeCommon {
    Int32 index = 0;
    API_Guid guid{};
    std::string name;  // UTF-8, 1 to 255 bytes, unique within the type (compared exactly)
    std::optional<AttributeUserData> userData;
    AttachedData attached;

    bool operator==(const AttributeCommon& other) const;
};

struct BuildingMaterial : AttributeCommon {
    std::string id;
    std::string manufacturer;
    std::string description;
    Int32 connPriority = 0;  // intersection priority, stored form
    Int32 cutFill = 0;
    Int16 cutFillPen = 0;
    Int16 cutFillBackgroundPen = 0;
    Int32 cutMaterial = 0;  // cut surface
    Int32 cutFillOrientation = 0;  // an API_FillOrientationID
    double thermalConductivity = 0.0;
    double density = 0.0;
    double heatCapacity = 0.0;
    double embodiedEnergy = 0.0;
    double embodiedCarbon = 0.0;
    bool showUncutLines = false;

    bool operator==(const BuildingMaterial& other) const;
    bool operator!=(const BuildingMaterial& other) const { return !(*this == other); }
};

struct CompositeSkin {
    Int32 buildingMaterial = 0;
    Int16 framePen = 0;
    Int16 flags = 0;  // APICWallComp_Core, APICWallComp_Finish
    double thickness = 0.0;

    bool operator==(const CompositeSkin& other) const;
};

struct CompositeLine {
    Int32 lineType = 0;
    Int16 pen = 0;
    Int16 flags = 0;

    bool operator==(const CompositeLine& other) const;
};

struct Composite : AttributeCommon {
    GSFlags usage = 0;             // 1 wall, 2 slab, 4 roof
    double totalThickness = 0.0;   // always the sum of the skins' thicknesses, in skin order
    std::vector<CompositeSkin> skins;  // at least one
    std::vector<CompositeLine> lines;  // one more than skins: the outer line, the separators, the inner line

    static double SumOfSkins(const std::vector<CompositeSkin>& skins);

    bool operator==(const Composite& other) const;
    bool operator!=(const Composite& other) const { return !(*this == other); }
};

// The attributes of one type, kept in index order.
template <typename Attribute>
class AttributeTable {
public:
    const std::vector<Attribute>& All() const  // a walk of the table (Model/ModelVisits.hpp)
    {
        CountVisits(items_.size());
        return items_;
    }
    bool Empty() const { return items_.empty(); }
    size_t Size() const { return items_.size(); }

    // Items are kept in index order (Insert), so an index is found by halving.
    Attribute* FindByIndex(Int32 index)
    {
        CountVisits(1);
        auto it = std::lower_bound(items_.begin(), items_.end(), index,
                                   [](const Attribute& item, Int32 wanted) { return item.index < wanted; });
        return it != items_.end() && it->index == index ? &*it : nullptr;
    }
    const Attribute* FindByIndex(Int32 index) const
    {
        return const_cast<AttributeTable*>(this)->FindByIndex(index);
    }
    Attribute* FindByName(const std::string& name)
    {
        for (auto& item : items_) {
            CountVisits(1);
            if (item.name == name)
                return &item;
        }
        return nullptr;
    }
    const Attribute* FindByName(const std::string& name) const
    {
        return const_cast<AttributeTable*>(this)->FindByName(name);
    }

    // The highest index in use; 0 when the table is empty. New attributes get the next one, so an index
    // is never given twice even when the table has gaps.
    Int32 HighestIndex() const { return items_.empty() ? 0 : items_.back().index; }

    // An attribute's GUID is given when it is added and never changes, so the set of them is kept as
    // attributes come: every new GUID the host gives is checked against it.
    bool ContainsGuid(const API_Guid& guid) const
    {
        CountVisits(1);
        return guids_.count(guid) != 0;
    }

    // Adds an attribute whose index and name the caller has checked to be free; keeps index order.
    Attribute& Insert(Attribute attribute)
    {
        guids_.insert(attribute.guid);
        auto it = std::lower_bound(items_.begin(), items_.end(), attribute.index,
                                   [](const Attribute& item, Int32 wanted) { return item.index < wanted; });
        return *items_.insert(it, std::move(attribute));
    }

    bool operator==(const AttributeTable& other) const { return items_ == other.items_; }
    bool operator!=(const AttributeTable& other) const { return !(*this == other); }

private:
    std::vector<Attribute> items_;
    std::unordered_set<API_Guid, GuidHash> guids_;
};

struct Attributes {
    AttributeTable<BuildingMaterial> buildingMaterials;
    AttributeTable<Composite> composites;

    // The common part of an attribute of a held type; null for other types or a free index or name.
    AttributeCommon* Find(API_AttrTypeID type, Int32 index);
    const AttributeCommon* Find(API_AttrTypeID type, Int32 index) const
    {
        return const_cast<Attributes*>(this)->Find(type, index);
    }
    AttributeCommon* FindByName(API_AttrTypeID type, const std::string& name);
    static bool IsHeldType(API_AttrTypeID type);

    bool ContainsGuid(const API_Guid& guid) const;

    bool operator==(const Attributes& other) const;
    bool operator!=(const Attributes& other) const { return !(*this == other); }
};

}  // namespace Sim::Model
