// Saves the open project as an IFC file with the host's translator "IFC4 Design Transfer View", into the
// folder "Corvana IFC" of the host's user folder, under the project's name.
#pragma once

#include "IfcTransfer.hpp"

#include <string>

namespace QRV {

class HostIfcExport : public IfcExportStep {
public:
    static constexpr const char* TranslatorName = "IFC4 Design Transfer View";
    static constexpr const char* FolderName = "Corvana IFC";

    // Stops with an alert (StoppedByAlert) when the host has no such translator or the project no name;
    // answers a host error as the host gave it, after reporting it.
    GSErrCode Export(GS::UniString& fileLocation) override;
    // Empty when the host cannot tell.
    GS::UniString ProjectName() override;

    // The project's name as a file name of the export folder: characters that would reach another folder
    // or are not allowed in a file name become "_".
    static std::string ExportFileName(const std::string& projectName);
};

}  // namespace QRV
