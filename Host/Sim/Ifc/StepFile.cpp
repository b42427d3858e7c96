#include "Ifc/StepFile.hpp"

#include "Ifc/StepText.hpp"

namespace Sim::Ifc {

int StepFile::Add(const std::string& entity, const std::vector<std::string>& attributes)
{
    const int id = static_cast<int>(instances_.size()) + 1;
    instances_.push_back(StepRef(id) + "=" + entity + StepList(attributes) + ";");
    return id;
}

std::string StepFile::Text(const StepHeader& header) const
{
    std::vector<std::string> descriptions = {StepString("ViewDefinition [" + header.viewDefinition + "]")};
    for (const auto& note : header.notes)
        descriptions.push_back(StepString(note));

    std::string text = "ISO-10303-21;\nHEADER;\n";
    text += "FILE_DESCRIPTION(" + StepList(descriptions) + ",'2;1');\n";
    text += "FILE_NAME(" + StepString(header.fileName) + "," + StepString(header.timeStamp) + ",(''),(''),"
            + StepString(header.preprocessorVersion) + "," + StepString(header.originatingSystem) + ",'');\n";
    text += "FILE_SCHEMA((" + StepString(header.schema) + "));\n";
    text += "ENDSEC;\nDATA;\n";
    for (const auto& instance : instances_)
        text += instance + "\n";
    text += "ENDSEC;\nEND-ISO-10303-21;\n";
    return text;
}

}  // namespace Sim::Ifc
