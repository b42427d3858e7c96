#include "Calculation/ExportManager.hpp"

#include "ACAPinc.h"
#include "Calculation/CalculationJson.hpp"
#include "Calculation/CalculationReads.hpp"
#include "Calculation/NamedGroupQuantities.hpp"
#include "Calculation/ProductQuantities.hpp"
#include "Calculation/SystemQuantities.hpp"

namespace QRV {
namespace {

// The calculation reads the model as the floor plan shows it; whatever view was current is current again
// afterwards, also when the calculation ends early.
class FloorPlanScope {
public:
    FloorPlanScope()
    {
        known_ = ACAPI_Database_GetCurrentDatabase(&original_) == NoError;
        if (known_ && original_.typeID != APIWind_FloorPlanID) {
            API_DatabaseInfo floorPlan{};
            floorPlan.typeID = APIWind_FloorPlanID;
            ACAPI_Database_ChangeCurrentDatabase(&floorPlan);
        }
    }
    ~FloorPlanScope()
    {
        if (known_)
            ACAPI_Database_ChangeCurrentDatabase(&original_);
    }
    FloorPlanScope(const FloorPlanScope&) = delete;
    FloorPlanScope& operator=(const FloorPlanScope&) = delete;

private:
    API_DatabaseInfo original_{};
    bool known_ = false;
};

}  // namespace

std::string ExportManager::CalculationText() const { return CalculationJson::DocumentText(CalculationDocument()); }

nlohmann::json ExportManager::CalculationDocument() const
{
    FloorPlanScope floorPlan;
    // One set of reads for the whole document: an attribute the systems read is not read again for the
    // products.
    const CalculationReads reads;
    const NamedGroupQuantities namedGroups(reads);
    nlohmann::json document = nlohmann::json::object();
    document["SystemInfo"] = SystemQuantities(reads).Calculate();
    document["ProductInfo"] = ProductQuantities(reads).Calculate();
    document["CurtainWallInfo"] = namedGroups.CalculateCurtainWalls();
    document["StairCalculationInfo"] = namedGroups.CalculateStairs();
    return document;
}

}  // namespace QRV
