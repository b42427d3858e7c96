// An ISO 10303-21 exchange file being built: numbered entity instances and the header that describes them.
#pragma once

#include <string>
#include <vector>

namespace Sim::Ifc {

struct StepHeader {
    std::string viewDefinition;      // FILE_DESCRIPTION: the model view the file follows
    std::vector<std::string> notes;  // FILE_DESCRIPTION: further descriptions
    std::string fileName;            // FILE_NAME
    std::string timeStamp;           // FILE_NAME: YYYY-MM-DDThh:mm:ss
    std::string preprocessorVersion; // FILE_NAME
    std::string originatingSystem;   // FILE_NAME
    std::string schema = "IFC4";     // FILE_SCHEMA
};

class StepFile {
public:
    // Adds an instance of `entity` (upper case, as files write it) with its attributes already in
    // exchange form; answers its number.
    int Add(const std::string& entity, const std::vector<std::string>& attributes);
    size_t Size() const { return instances_.size(); }

    std::string Text(const StepHeader& header) const;

private:
    std::vector<std::string> instances_;
};

}  // namespace Sim::Ifc
