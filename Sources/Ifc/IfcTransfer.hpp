// The page's "export": save the project as an IFC file, then upload that file.
#pragma once

#include "IfcUploader.hpp"

#include "Array.hpp"
#include "UniString.hpp"

namespace QRV {

// Saving the open project as IFC. The host's IFC translators and its save operation live behind this.
class IfcExportStep {
public:
    // The code an export answers after it told the user why it stopped.
    static constexpr GSErrCode StoppedByAlert = -7003;

    virtual ~IfcExportStep() = default;

    // Saves the project; on success (0) `fileLocation` is where the IFC file now is. Otherwise a host
    // error code, or StoppedByAlert.
    virtual GSErrCode Export(GS::UniString& fileLocation) = 0;
    // The project's name as the host has it now; the uploaded file is named after it.
    virtual GS::UniString ProjectName() = 0;
};

// True only when the export and the upload both succeeded; nothing is uploaded after a failed export.
bool ExportAndUploadIfc(const GS::Array<GS::UniString>& arguments, IfcExportStep& exportStep,
                        const IfcUploader& uploader = IfcUploader());

}  // namespace QRV
