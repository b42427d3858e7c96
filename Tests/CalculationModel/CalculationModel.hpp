// A model for the calculation tests, written as a project file and opened into the host.
//
// ASSUMED FORMAT: the sections "elements", "libraryParts" and "moduleData" (and the members of an element)
// are this builder's guess at what the simulator's element, library and module-data families read; only
// this file's ProjectText() knows them, so it is the one place to adapt to docs/project-file.md.
#pragma once

#include "Host.hpp"

#include <nlohmann/json.hpp>

#include <string>

namespace QRVTest {

class CalculationModel {
public:
    // Catalogue properties as a property list text ("" for none); answers the attribute index.
    int AddBuildingMaterial(const std::string& name, const std::string& storedProperties = "");
    // Skins as (building material index, thickness in metres, flags).
    int AddComposite(const std::string& name, const std::vector<std::tuple<int, double, int>>& skins,
                     const std::string& storedProperties = "");
    void AddLibraryPart(const std::string& unId, const std::string& name);
    void AddModuleData(const std::string& name, const std::string& text, int dataVersion = 1);

    std::string AddBasicWall(int buildingMaterial, double thickness, double volume);
    std::string AddCompositeWall(int composite, double thickness, double volume);
    std::string AddBasicSlab(int buildingMaterial, double thickness, double volume);
    std::string AddColumn(int buildingMaterial, const std::string& ifcName, double volume);
    std::string AddObject(const std::string& libPartUnId, const std::string& ifcName, double dx, double dy,
                          double dz, int ownerType = 0);
    std::string AddOpening(bool door, const std::string& ifcName, double width, double height);
    std::string AddCurtainWall(const std::string& ifcName, double surface);
    std::string AddStair(const std::string& ifcName, double volume);

    std::string ProjectText() const;
    // Replaces the host's project; fails the test when the file is refused.
    void Open(Sim::Host& host) const;

private:
    std::string NextGuid();
    std::string AddElement(nlohmann::json element);

    nlohmann::json materials_ = nlohmann::json::array();
    nlohmann::json composites_ = nlohmann::json::array();
    nlohmann::json elements_ = nlohmann::json::array();
    nlohmann::json libraryParts_ = nlohmann::json::array();
    nlohmann::json moduleData_ = nlohmann::json::array();
    int nextGuid_ = 1;
};

}  // namespace QRVTest
