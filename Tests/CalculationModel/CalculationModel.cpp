#include "CalculationModel.hpp"

#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace QRVTest {
namespace {

constexpr int PlatformSign = 22359;

nlohmann::json UserData(const std::string& text)
{
    return {{"dataVersion", 0}, {"platformSign", PlatformSign}, {"text", text}};
}

}  // namespace

std::string CalculationModel::NextGuid()
{
    char text[40];
    std::snprintf(text, sizeof text, "3F2504E0-4F89-41D3-9A0C-%012X", nextGuid_++);
    return text;
}

int CalculationModel::AddBuildingMaterial(const std::string& name, const std::string& storedProperties)
{
    const int index = static_cast<int>(materials_.size()) + 1;
    nlohmann::json material = {{"index", index}, {"guid", NextGuid()}, {"name", name}};
    if (!storedProperties.empty())
        material["userData"] = UserData(storedProperties);
    materials_.push_back(material);
    return index;
}

int CalculationModel::AddComposite(const std::string& name, const std::vector<std::tuple<int, double, int>>& skins,
                                   const std::string& storedProperties)
{
    const int index = static_cast<int>(composites_.size()) + 1;
    nlohmann::json composite = {{"index", index}, {"guid", NextGuid()}, {"name", name}, {"usage", 7}};
    nlohmann::json skinList = nlohmann::json::array();
    nlohmann::json lines = nlohmann::json::array({nlohmann::json::object()});
    for (const auto& [material, thickness, flags] : skins) {
        skinList.push_back({{"buildingMaterial", material}, {"thickness", thickness}, {"flags", flags}});
        lines.push_back(nlohmann::json::object());
    }
    composite["skins"] = skinList;
    composite["lines"] = lines;
    if (!storedProperties.empty())
        composite["userData"] = UserData(storedProperties);
    composites_.push_back(composite);
    return index;
}

void CalculationModel::AddLibraryPart(const std::string& unId, const std::string& name)
{
    // The files are never read by the calculation; only the registration matters.
    libraryParts_.push_back(
        {{"documentName", name}, {"uniqueId", unId}, {"location", "/calculation-model-library/" + name + ".gsm"}});
}

void CalculationModel::AddLibraryPart(const std::string& unId, const std::string& name,
                                      const std::vector<std::pair<std::string, double>>& numbers,
                                      const nlohmann::json& details)
{
    AddLibraryPart(unId, name);
    nlohmann::json parameters = nlohmann::json::array();
    for (const auto& [parameter, value] : numbers)
        parameters.push_back({{"name", parameter}, {"type", 2}, {"value", value}});
    libraryParts_.back()["parameters"] = parameters;
    libraryParts_.back()["details"] = details;
}

void CalculationModel::AddModuleData(const std::string& name, const std::string& text, int dataVersion)
{
    moduleData_[name] = {{"dataVersion", dataVersion}, {"platformSign", PlatformSign}, {"text", text}};
}

nlohmann::json CalculationModel::LibraryPartReference(const std::string& unId) const
{
    for (size_t i = 0; i < libraryParts_.size(); ++i)
        if (libraryParts_[i]["uniqueId"] == unId)
            return {{"index", static_cast<int>(i) + 1}, {"unId", unId}};
    ADD_FAILURE() << "the model has no library part " << unId;
    return {{"index", 1}, {"unId", unId}};
}

std::string CalculationModel::AddElement(nlohmann::json element, const std::string& ifcName)
{
    const std::string guid = NextGuid();
    element["guid"] = guid;
    if (!ifcName.empty())
        element["ifc"] = nlohmann::json::array({{{"name", "Name"}, {"value", ifcName}}});
    elements_.push_back(element);
    return guid;
}

std::string CalculationModel::AddBasicWall(int buildingMaterial, double thickness, double length, double height)
{
    return AddElement({{"type", "wall"}, {"structure", "basic"}, {"buildingMaterial", buildingMaterial},
                       {"geometry", "straight"}, {"length", length}, {"height", height}, {"thickness", thickness}},
                      "");
}

std::string CalculationModel::AddCompositeWall(int composite, double length, double height)
{
    return AddElement({{"type", "wall"}, {"structure", "composite"}, {"composite", composite},
                       {"geometry", "straight"}, {"length", length}, {"height", height}},
                      "");
}

std::string CalculationModel::AddBasicSlab(int buildingMaterial, double thickness, double length, double width)
{
    return AddElement({{"type", "slab"}, {"structure", "basic"}, {"buildingMaterial", buildingMaterial},
                       {"length", length}, {"width", width}, {"thickness", thickness}},
                      "");
}

std::string CalculationModel::AddColumn(int buildingMaterial, const std::string& ifcName, double length,
                                        double width, double height)
{
    return AddElement({{"type", "column"}, {"buildingMaterial", buildingMaterial}, {"length", length},
                       {"width", width}, {"height", height}},
                      ifcName);
}

std::string CalculationModel::AddObject(const std::string& libPartUnId, const std::string& ifcName, double dx,
                                        double dy, double dz, const std::string& ownerType, const std::string& owner)
{
    nlohmann::json element = {{"type", "object"}, {"libraryPart", LibraryPartReference(libPartUnId)},
                              {"length", dx}, {"width", dy}, {"height", dz}};
    if (!ownerType.empty()) {
        element["ownerType"] = ownerType;
        element["owner"] = owner;
    }
    return AddElement(element, ifcName);
}

std::string CalculationModel::AddOpening(bool door, const std::string& ifcName, double width, double height,
                                         double depth)
{
    return AddElement({{"type", door ? "door" : "window"}, {"width", width}, {"height", height}, {"thickness", depth}},
                      ifcName);
}

std::string CalculationModel::AddCurtainWall(const std::string& ifcName, double length, double height)
{
    return AddElement({{"type", "curtainWall"}, {"length", length}, {"height", height}}, ifcName);
}

std::string CalculationModel::AddStair(const std::string& ifcName, double run, double width, double rise)
{
    return AddElement({{"type", "stair"}, {"length", run}, {"width", width}, {"height", rise}}, ifcName);
}

std::string CalculationModel::ProjectText() const
{
    nlohmann::ordered_json document = {{"format", "corvana-sim-project"}, {"version", 1}};
    document["attributes"] = {{"buildingMaterials", materials_}, {"composites", composites_}};
    document["elements"] = elements_;
    document["libraries"] = {{"parts", libraryParts_}};
    document["moduleData"] = moduleData_;
    return document.dump(2);
}

void CalculationModel::Open(Sim::Host& host) const
{
    try {
        host.GetProject() = Sim::ProjectFile::FromText(ProjectText());
    } catch (const std::exception& e) {
        FAIL() << "the test model is refused: " << e.what() << "\n" << ProjectText();
    }
}

}  // namespace QRVTest
