// What the host keeps about the model besides the project itself: which elements add-ons observe, which
// were deleted in this run (reads of them answer APIERR_DELETED), and the databases with the current one.
// Model elements live in the floor plan database; the 3D window shows the same. While another database
// (a section, a layout) is current, the element functions see no model elements, as in the host.
#pragma once

#include "APIdefs_Database.h"
#include "APIdefs_Elements.h"

#include <set>
#include <string>
#include <vector>

namespace Sim {

class Host;

struct Database {
    API_DatabaseTypeID type = APIWind_FloorPlanID;
    API_Guid id{};
    std::string name;
};

class ModelState {
public:
    ModelState();

    std::set<API_Guid> observed;
    std::set<API_Guid> deleted;

    const std::vector<Database>& Databases() const { return databases_; }
    const Database* FindDatabase(const API_Guid& id) const;
    const Database* FindDatabase(API_DatabaseTypeID type) const;
    const Database& Current() const { return databases_[current_]; }
    const Database& FloorPlan() const { return databases_.front(); }
    // Makes the database current; false when it is not one of the host's.
    bool SetCurrent(const API_Guid& id);
    bool ModelVisible() const;

    void FillInfo(const Database& database, API_DatabaseInfo& info) const;

private:
    std::vector<Database> databases_;
    size_t current_ = 0;
};

ModelState& TheModelState(Host& host);

}  // namespace Sim
