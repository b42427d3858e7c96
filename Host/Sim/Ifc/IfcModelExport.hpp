// The open project as an IFC4 file: project, site, building and one storey holding the model's elements,
// each with its placement, a box for its body, its materials and its "Corvana" property set.
#pragma once

#include "Model/Project.hpp"

#include <ctime>
#include <string>

namespace Sim::Ifc {

struct IfcExportSettings {
    std::string translator;  // the translator's name, noted in the file's header
    std::string fileName;    // the file's own name, as the header names it
    std::time_t time = 0;    // when it is written
};

// The whole text of the file.
std::string ExportIfcText(const Model::Project& project, const IfcExportSettings& settings);

// The IFC entity a model element is written as (upper case, as files write it).
std::string IfcEntityOf(const Model::Element& element);

}  // namespace Sim::Ifc
