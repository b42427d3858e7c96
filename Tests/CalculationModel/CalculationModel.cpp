#include "CalculationModel.hpp"

#include "Model/ProjectFile.hpp"

#include <gtest/gtest.h>

#include <cstdio>

namespace QRVTest {
namespace {

nlohmann::json UserData(const std::string& text)
{
    return {{"dataVersion", 0}, {"platformSign", 22359}, {"text", text}};
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
    libraryParts_.push_back({{"unId", unId}, {"name", name}});
}

void CalculationModel::AddModuleData(const std::string& name, const std::string& text, int dataVersion)
{
    moduleData_.push_back({{"name", name}, {"dataVersion", dataVersion}, {"platformSign", 22359}, {"text", text}});
}

std::string CalculationModel::AddElement(nlohmann::json element)
{
    const std::string guid = NextGuid();
    element["guid"] = guid;
    elements_.push_back(element);
    return guid;
}

std::string CalculationModel::AddBasicWall(int buildingMaterial, double thickness, double volume)
{
    return AddElement({{"type", "Wall"}, {"structure", "basic"}, {"buildingMaterial", buildingMaterial},
                       {"thickness", thickness}, {"thicknessEnd", thickness},
                       {"quantities", {{"volume", volume}}}});
}

std::string CalculationModel::AddCompositeWall(int composite, double thickness, double volume)
{
    return AddElement({{"type", "Wall"}, {"structure", "composite"}, {"composite", composite},
                       {"thickness", thickness}, {"thicknessEnd", thickness},
                       {"quantities", {{"volume", volume}}}});
}

std::string CalculationModel::AddBasicSlab(int buildingMaterial, double thickness, double volume)
{
    return AddElement({{"type", "Slab"}, {"structure", "basic"}, {"buildingMaterial", buildingMaterial},
                       {"thickness", thickness}, {"quantities", {{"volume", volume}}}});
}

std::string CalculationModel::AddColumn(int buildingMaterial, const std::string& ifcName, double volume)
{
    return AddElement({{"type", "Column"}, {"buildingMaterial", buildingMaterial},
                       {"ifcAttributes", {{"Name", ifcName}}},
                       {"compositeParts", {{{"buildingMaterial", buildingMaterial}, {"volume", volume},
                                            {"projectedArea", 0.0}}}}});
}

std::string CalculationModel::AddObject(const std::string& libPartUnId, const std::string& ifcName, double dx,
                                        double dy, double dz, int ownerType)
{
    return AddElement({{"type", "Object"}, {"libraryPart", libPartUnId}, {"ifcAttributes", {{"Name", ifcName}}},
                       {"ownerType", ownerType},
                       {"bounds", {{"xMin", 0}, {"yMin", 0}, {"zMin", 0}, {"xMax", dx}, {"yMax", dy}, {"zMax", dz}}}});
}

std::string CalculationModel::AddOpening(bool door, const std::string& ifcName, double width, double height)
{
    return AddElement({{"type", door ? "Door" : "Window"}, {"ifcAttributes", {{"Name", ifcName}}},
                       {"quantities", {{"width1", width}, {"height1", height}, {"surface1", width * height},
                                       {"volume", width * height * 0.1}}}});
}

std::string CalculationModel::AddCurtainWall(const std::string& ifcName, double surface)
{
    nlohmann::json element = {{"type", "CurtainWall"}, {"quantities", {{"surface", surface}}}};
    if (!ifcName.empty())
        element["ifcAttributes"] = {{"Name", ifcName}};
    return AddElement(element);
}

std::string CalculationModel::AddStair(const std::string& ifcName, double volume)
{
    return AddElement({{"type", "Stair"}, {"ifcAttributes", {{"Name", ifcName}}},
                       {"quantities", {{"volume", volume}}}});
}

std::string CalculationModel::ProjectText() const
{
    nlohmann::ordered_json document = {{"format", "corvana-sim-project"}, {"version", 1}};
    document["attributes"] = {{"buildingMaterials", materials_}, {"composites", composites_}};
    document["elements"] = elements_;
    document["libraryParts"] = libraryParts_;
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
