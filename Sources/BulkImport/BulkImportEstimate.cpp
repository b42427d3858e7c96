#include "BulkImportEstimate.hpp"

#include "Parsing/PayloadReading.hpp"
#include "ProjectWriter/ElementLists.hpp"

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
    for (const nlohmann::json& system : list) {
        ++estimate.systems;
        if (!system.is_object())
            continue;
        estimate.materials += MaterialCount(system);
        const GS::UniString name = BulkSystemName(system);
        if (!name.IsEmpty())
            estimate.elements += CountElementsUsingComposite(name);
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
