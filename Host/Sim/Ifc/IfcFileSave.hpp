// Writes the IFC export of a project to a file as the host's save does: whole or not at all.
#pragma once

#include "Ifc/IfcModelExport.hpp"

#include <string>

namespace Sim::Ifc {

// The text goes to a temporary file beside `path`, which is then renamed over it, so a failed save leaves
// a file that was there before as it was. False with the reason in `error` when the folder is missing or
// cannot be written.
bool SaveIfcFile(const Model::Project& project, const IfcExportSettings& settings, const std::string& path,
                 std::string* error);

}  // namespace Sim::Ifc
