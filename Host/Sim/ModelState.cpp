#include "ModelState.hpp"

#include "UniString.hpp"

#include "Host.hpp"

#include <algorithm>
#include <cstring>

namespace Sim {

ModelState::ModelState()
{
    // Fixed identities, so that a run's transcript does not depend on the GUID generator.
    databases_ = {
        {APIWind_FloorPlanID, APIGuidFromString("0F1A5E00-0000-4000-8000-000000000001"), "Floor Plan"},
        {APIWind_3DModelID, APIGuidFromString("0F1A5E00-0000-4000-8000-000000000007"), "3D Window"},
        {APIWind_SectionID, APIGuidFromString("0F1A5E00-0000-4000-8000-000000000002"), "Section S-01"},
        {APIWind_LayoutID, APIGuidFromString("0F1A5E00-0000-4000-8000-000000000008"), "Layout A.01"},
    };
}

const Database* ModelState::FindDatabase(const API_Guid& id) const
{
    for (const auto& database : databases_)
        if (database.id == id)
            return &database;
    return nullptr;
}

const Database* ModelState::FindDatabase(API_DatabaseTypeID type) const
{
    for (const auto& database : databases_)
        if (database.type == type)
            return &database;
    return nullptr;
}

bool ModelState::SetCurrent(const API_Guid& id)
{
    for (size_t i = 0; i < databases_.size(); ++i) {
        if (databases_[i].id == id) {
            current_ = i;
            return true;
        }
    }
    return false;
}

bool ModelState::ModelVisible() const
{
    return Current().type == APIWind_FloorPlanID || Current().type == APIWind_3DModelID;
}

void ModelState::FillInfo(const Database& database, API_DatabaseInfo& info) const
{
    info.typeID = database.type;
    info.databaseUnId.elemSetId = database.id;
    std::memset(info.name, 0, sizeof info.name);
    const GS::UniString name(database.name.c_str(), CC_UTF8);
    GS::ucsncpy(info.name, name.ToUStr().Get(), API_UniLongNameLen - 1);
}

ModelState& TheModelState(Host& host) { return host.FamilyState<ModelState>(); }

}  // namespace Sim
