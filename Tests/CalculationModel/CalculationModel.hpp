// A model for the calculation tests, written as a project file (docs/project-file.md) and opened into the
// host. Elements are given by their geometry; the host derives their quantities from it.
#pragma once

#include "Host.hpp"

#include <nlohmann/json.hpp>

#include <string>
#include <tuple>
#include <vector>

namespace QRVTest {

class CalculationModel {
public:
    // Catalogue properties as a property list text ("" for none); answers the attribute index.
    int AddBuildingMaterial(const std::string& name, const std::string& storedProperties = "");
    // Skins as (building material index, thickness in metres, flags).
    int AddComposite(const std::string& name, const std::vector<std::tuple<int, double, int>>& skins,
                     const std::string& storedProperties = "");
    void AddLibraryPart(const std::string& unId, const std::string& name);
    // A part with number parameters and the names of those that give a window's or door's oversizes
    // ({"leftOversize": "ovl", ...}).
    void AddLibraryPart(const std::string& unId, const std::string& name,
                        const std::vector<std::pair<std::string, double>>& numbers, const nlohmann::json& details);
    void AddModuleData(const std::string& name, const std::string& text, int dataVersion = 1);

    // Walls are straight: volume = length × height × thickness, face area = length × height.
    std::string AddBasicWall(int buildingMaterial, double thickness, double length, double height);
    // A composite wall is as thick as its composite.
    std::string AddCompositeWall(int composite, double length, double height);
    std::string AddBasicSlab(int buildingMaterial, double thickness, double length, double width);
    std::string AddColumn(int buildingMaterial, const std::string& ifcName, double length, double width,
                          double height);
    // The box extents along x, y and z; ownerType ("tread", "curtainWallFrame", ...) with the owner's GUID
    // makes it a part of a stair or curtain wall.
    std::string AddObject(const std::string& libPartUnId, const std::string& ifcName, double dx, double dy,
                          double dz, const std::string& ownerType = "", const std::string& owner = "");
    std::string AddOpening(bool door, const std::string& ifcName, double width, double height,
                           double depth = 0.1);
    std::string AddCurtainWall(const std::string& ifcName, double length, double height);
    // Volume = run × width × rise ÷ 2.
    std::string AddStair(const std::string& ifcName, double run, double width, double rise);

    // Any element, described as in the project file; answers its GUID.
    std::string Add(nlohmann::json element, const std::string& ifcName = "") { return AddElement(element, ifcName); }
    nlohmann::json LibraryPartOf(const std::string& unId) const { return LibraryPartReference(unId); }

    std::string ProjectText() const;
    // Replaces the host's project; fails the test when the file is refused.
    void Open(Sim::Host& host) const;

private:
    std::string NextGuid();
    std::string AddElement(nlohmann::json element, const std::string& ifcName);
    nlohmann::json LibraryPartReference(const std::string& unId) const;

    nlohmann::json materials_ = nlohmann::json::array();
    nlohmann::json composites_ = nlohmann::json::array();
    nlohmann::json elements_ = nlohmann::json::array();
    nlohmann::json libraryParts_ = nlohmann::json::array();
    nlohmann::json moduleData_ = nlohmann::json::object();
    int nextGuid_ = 1;
};

}  // namespace QRVTest
