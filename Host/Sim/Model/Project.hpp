// The open project: everything the host's functions read and change, one struct per family.
//
// Extending it with a family (elements, properties, classifications, module data, libraries, ...):
//  - add the family's struct (its own header in Model/) and a member here;
//  - let ContainsGuid look at the family's GUIDs, so new GUIDs never repeat one already in the project;
//  - add a section to the project file (ProjectFile.cpp: one line in the section list, plus the family's
//    reader and writer) and describe it in docs/project-file.md.
// A project holds no pointers into itself: families refer to each other by index or GUID, so a whole
// project can be built aside and swapped in (loading a file never leaves half a project behind).
#pragma once

#include "Model/Attributes.hpp"
#include "Model/Classification.hpp"
#include "Model/Elements.hpp"
#include "Model/Library.hpp"
#include "Model/ModuleData.hpp"
#include "Model/Properties.hpp"

#include <string>
#include <vector>

namespace Sim::Model {

struct ProjectInfo {
    std::string name;  // empty: the project was never saved ("Untitled")
    // The IFC export translators of the host's translator setup, in its order.
    std::vector<std::string> ifcTranslators = DefaultIfcTranslators();

    // What a fresh installation of the host offers.
    static std::vector<std::string> DefaultIfcTranslators();

    bool operator==(const ProjectInfo& other) const
    {
        return name == other.name && ifcTranslators == other.ifcTranslators;
    }
    bool operator!=(const ProjectInfo& other) const { return !(*this == other); }
};

struct Project {
    ProjectInfo info;
    Attributes attributes;
    Elements elements;
    Libraries libraries;
    Properties properties;
    Classifications classifications;
    ModuleData moduleData;

    // The name a person sees: the project's name, or "Untitled" for one never saved.
    std::string DisplayName() const { return info.name.empty() ? "Untitled" : info.name; }

    bool ContainsGuid(const API_Guid& guid) const;

    bool operator==(const Project& other) const;
    bool operator!=(const Project& other) const { return !(*this == other); }
};

}  // namespace Sim::Model

namespace Sim {
using Project = Model::Project;
}
