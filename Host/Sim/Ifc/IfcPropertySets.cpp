#include "Ifc/IfcPropertySets.hpp"

#include "Ifc/IfcGuid.hpp"
#include "Ifc/StepText.hpp"
#include "SimUtf8.hpp"

namespace Sim::Ifc {
namespace {

// IfcLabel holds at most 255 characters; longer texts are IfcText.
std::string NominalValue(const std::string& value)
{
    return (value.size() <= 255 ? "IFCLABEL(" : "IFCTEXT(") + StepString(value) + ")";
}

}  // namespace

void WritePropertySet(StepFile& file, const Model::Project& project, const Model::Element& element, int elementId)
{
    const Model::PropertyGroup* group = project.properties.FindGroupByName(ExportedPropertyGroup);
    if (group == nullptr)
        return;
    const std::vector<API_Guid> items = element.attached.ClassificationItems();
    std::vector<int> properties;
    for (const auto& definition : project.properties.Definitions()) {
        if (definition.group != group->guid || !definition.IsAvailableFor(items))
            continue;
        const auto own = element.attached.propertyValues.find(definition.guid);
        const std::string& value = own != element.attached.propertyValues.end() ? own->second.value
                                                                               : definition.defaultValue;
        if (value.empty())
            continue;
        const std::string description = definition.description.empty() ? StepNull : StepString(definition.description);
        properties.push_back(file.Add("IFCPROPERTYSINGLEVALUE",
                                      {StepString(definition.name), description, NominalValue(value), StepNull}));
    }
    if (properties.empty())
        return;
    const std::string owner = Sim::Utf8(APIGuidToString(element.guid));
    const int set = file.Add("IFCPROPERTYSET", {StepString(DerivedCompressedGuid(owner, "property set")), StepNull,
                                                StepString(ExportedPropertyGroup), StepNull, StepRefList(properties)});
    file.Add("IFCRELDEFINESBYPROPERTIES", {StepString(DerivedCompressedGuid(owner, "property set relation")), StepNull,
                                           StepNull, StepNull, StepRefList({elementId}), StepRef(set)});
}

}  // namespace Sim::Ifc
