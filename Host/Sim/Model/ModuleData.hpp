// The add-on's module data: named entries of bytes saved with the project, each with the data version and
// platform sign it was stored under (the same record as user data). Names are kept sorted (byte order of
// their UTF-8 text), which is the order the host lists them in.
#pragma once

#include "Model/Attributes.hpp"

#include <map>
#include <string>

namespace Sim::Model {

using ModuleDataEntry = AttributeUserData;
using ModuleData = std::map<std::string, ModuleDataEntry>;

}  // namespace Sim::Model
