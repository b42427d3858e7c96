#include "BulkImportEstimate.hpp"

#include "Parsing/PayloadReading.hpp"
#include "ProjectWriter/ElementLists.hpp"

#include <map>
#include <optional>

namespace QRV {
namespace {

Int64 MaterialCount(const nlohmann::json& system)
{
    const nlohmann::json& materials = Payload::ReadIndexed(system, "materials");
    return materials.is_array() ? static_cast<Int64>(materials.size()) : 0;
}

}  // namespace

Int64 BulkImportEstimate::LibraryOnlySeconds() const
{
    const Int64 perMaterial = modelHasElements ? SecondsPerMaterialInModel : SecondsPerMaterialEmptyModel;
    return perMaterial * materials + SecondsPerSystem * systems;
}

Int64 BulkImportEstimate::LibraryAndModelSeconds() const
{
    return SecondsPerElement * elements + LibraryOnlySeconds();
}

BulkImportEstimate BulkImportEstimate::Of(const nlohmann::json& list)
{
    BulkImportEstimate estimate;
    estimate.modelHasElements = !TheElementLists().all.IsEmpty();
    if (!list.is_array())
        return estimate;
    // The model is read once for all systems, and only when one of them names a composite it holds.
    std::optional<std::map<Int32, Int32>> elementsOfComposite;
    for (const nlohmann::json& system : list) {
        ++estimate.systems;
        if (!system.is_object())
            continue;
        estimate.materials += MaterialCount(system);
        const GS::UniString name = BulkSystemName(system);
        const API_AttributeIndex composite = name.IsEmpty() ? APIInvalidAttributeIndex : CompositeIndexOf(name);
        if (composite == APIInvalidAttributeIndex)
            continue;
        if (!elementsOfComposite)
            elementsOfComposite = CountElementsByComposite();
        const auto found = elementsOfComposite->find(composite.ToInt32_Deprecated());
        if (found != elementsOfComposite->end())
            estimate.elements += found->second;
    }
    return estimate;
}

GS::UniString BulkSystemName(const nlohmann::json& system)
{
    try {
        return Payload::Text(Payload::ReadIndexed(system, "name"));
    } catch (const std::exception&) {
        return {};  // an object or a boolean names nothing
    }
}

}  // namespace QRV
