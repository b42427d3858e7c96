#include "IfcTransfer.hpp"

namespace QRV {

bool ExportAndUploadIfc(const GS::Array<GS::UniString>& arguments, IfcExportStep& exportStep,
                        const IfcUploader& uploader)
{
    // The export step reports its own host errors and alerts, naming the call that failed.
    GS::UniString fileLocation;
    if (exportStep.Export(fileLocation) != NoError)
        return false;
    return uploader.Upload(arguments, fileLocation, exportStep.ProjectName());
}

}  // namespace QRV
