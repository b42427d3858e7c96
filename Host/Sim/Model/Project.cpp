#include "Model/Project.hpp"

namespace Sim::Model {

std::vector<std::string> ProjectInfo::DefaultIfcTranslators()
{
    return {"General Translator", "IFC2x3 Coordination View 2.0", "IFC4 Reference View", "IFC4 Design Transfer View"};
}

bool Project::ContainsGuid(const API_Guid& guid) const
{
    return attributes.ContainsGuid(guid) || elements.ContainsGuid(guid) || properties.ContainsGuid(guid) ||
           classifications.ContainsGuid(guid);
}

bool Project::operator==(const Project& other) const
{
    return info == other.info && attributes == other.attributes && elements == other.elements &&
           libraries == other.libraries &&
           properties == other.properties && classifications == other.classifications &&
           moduleData == other.moduleData;
}

}  // namespace Sim::Model
