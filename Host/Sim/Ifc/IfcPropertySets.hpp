// The element's values of the add-on's property group as an IFC property set of the same name.
#pragma once

#include "Ifc/StepFile.hpp"
#include "Model/Project.hpp"

#include <string>

namespace Sim::Ifc {

// The property group whose values travel with the elements.
constexpr const char* ExportedPropertyGroup = "Corvana";

// Writes an IfcPropertySet "Corvana" for the element and relates it, when the element has any value of
// the group: its own values and the defaults of the group's definitions that are available for it (values
// the host keeps hidden for unavailable definitions stay in the project). Empty values are left out.
void WritePropertySet(StepFile& file, const Model::Project& project, const Model::Element& element, int elementId);

}  // namespace Sim::Ifc
