// The texts the module stored in the project, as a project file may hold them: the input becomes the user
// data of every building material and composite and the module data of the house's named stair, and then
// the calculation, the status report and the element notifications read them back.
#include "Support/FuzzHost.hpp"

#include "ElementActions.hpp"
#include "Model/JsonReader.hpp"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <sstream>

namespace {

const std::string& StatusRequest()
{
    static const std::string request = [] {
        std::ifstream in(std::string(CORVANA_SOURCE_DIR) + "/Examples/requests/update-status.json");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }();
    return request;
}

template <typename Table>
void StoreInEvery(Table& table, const std::string& bytes)
{
    for (const auto& attribute : table.All())
        table.FindByIndex(attribute.index)->userData = Sim::Model::AttributeUserData{1, 0, bytes};
}

// Runs one step of the module; what it throws is a broken invariant of its own.
template <typename Step>
void Guarded(QRVFuzz::FuzzHost& world, const char* what, Step step)
{
    world.Begin();
    QRVTest::CallOutcome outcome;
    try {
        step(outcome);
    } catch (const std::exception& e) {
        outcome.escaped = e.what();
    } catch (...) {
        outcome.escaped = "an unknown exception";
    }
    world.Verify(outcome, what);
}

void PageStep(QRVFuzz::FuzzHost& world, const char* function, const std::string& argument)
{
    Guarded(world, function, [&](QRVTest::CallOutcome& outcome) {
        const Sim::JsCallResult result = world.CallPage(function, argument);
        outcome = QRVTest::CallOutcome::FromPageCall(result, false, false);
        if (!result.called && outcome.escaped.empty()) {
            std::fprintf(stderr, "%s was not called: %s\n", function, result.problem.c_str());
            std::abort();
        }
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    QRVFuzz::FuzzHost& world = QRVFuzz::FuzzHost::Fresh();
    Sim::Project& project = world.Host().GetProject();
    StoreInEvery(project.attributes.buildingMaterials, bytes);
    StoreInEvery(project.attributes.composites, bytes);
    project.moduleData["CV_Precast stair PS-17"] = Sim::Model::ModuleDataEntry{1, 0, bytes};

    PageStep(world, "getCalculationData", "");
    PageStep(world, "updateStatus", StatusRequest());

    // The user places a wall on the first composite and a stair, and changes the first element: each
    // notification reads the stored texts of what the element uses.
    Guarded(world, "element notifications", [&](QRVTest::CallOutcome&) {
        Sim::ElementActions actions(world.Host());
        std::string problem;
        API_Guid placed{};
        const auto& composites = project.attributes.composites.All();
        if (!composites.empty()) {
            const std::string wall = R"({"type": "wall", "structure": "composite", "composite": )" +
                                     std::to_string(composites.front().index) + R"(, "length": 4, "height": 2.7})";
            actions.Place(Sim::Json::ParseStrict(wall), &placed, &problem);
        }
        actions.Place(Sim::Json::ParseStrict(R"({"type": "stair", "length": 3.5, "width": 1.0, "height": 2.8,
                                                 "ifc": [{"name": "Name", "value": "Precast stair PS-17"}]})"),
                      &placed, &problem);
        if (!project.elements.All().empty()) {
            const API_Guid first = project.elements.All().front().guid;
            actions.Change(first, Sim::Json::ParseStrict(R"({"height": 3.0})"), &problem);
            actions.Edit(first, Sim::Model::Point3{1, 0, 0}, &problem);
        }
    });
    return 0;
}
