// Project operations: what the host knows about the open project, saving it in another file format, and
// the IFC translators that such a save can use.
#pragma once

#include "ACAPI_Binding.hpp"
#include "GSRoot/Array.hpp"
#include "GSRoot/UniString.hpp"
#include "IO/Location.hpp"

// File type codes of the host's save operation.
enum API_FTypeID : Int32 {
    APIFType_None = 0,
    APIFType_IfcFile = 35,
};

// One of the host's IFC export translators: the name the user gave it in the translator setup, and the
// host's own reference by which a save names it. A reference is only good for the host that listed it.
struct API_IFCTranslatorIdentifier {
    GS::UniString name;
    Int32 innerReference = 0;
};

// The open project. The host allocates the members it fills with `new`; the caller deletes them.
struct API_ProjectInfo {
    bool untitled = true;                   // never saved: it has no name and no location yet
    bool teamwork = false;
    Int32 userId = 0;
    IO::Location* location = nullptr;       // where the project file is; null when untitled
    GS::UniString* projectPath = nullptr;   // the same as a path; null when untitled
    GS::UniString* projectName = nullptr;   // always filled; empty when untitled
};

// What a save writes, and where.
struct API_FileSavePars {
    Int32 fileTypeID = APIFType_None;  // an API_FTypeID
    IO::Location* file = nullptr;      // the file to write; its folder must exist
};

// The extra parameters of a save as an IFC file.
struct API_SavePars_Ifc {
    API_IFCTranslatorIdentifier translatorIdentifier;
    Int32 subSet = 0;            // 0: the entire project
    bool includeBoundingBoxGeometry = false;
};

// The host's IFC export translators, in the order of its translator setup.
ACAPI_FUNCTION(IFC_GetIFCExportTranslatorsList, (GS::Array<API_IFCTranslatorIdentifier>& ifcExportTranslators),
               (ifcExportTranslators))

// The open project's information; see API_ProjectInfo for who owns what.
ACAPI_FUNCTION(ProjectOperation_Project, (API_ProjectInfo* projectInfo), (projectInfo))

// Saves the open project as a file of another format. `savePars` points to the format's parameters
// (API_SavePars_Ifc for APIFType_IfcFile). APIERR_BADPARS for missing parameters or a file type the host
// cannot write, APIERR_BADINDEX for a translator the host does not have, APIERR_GENERAL when the file
// cannot be written; a file that was there before is then left as it was.
ACAPI_FUNCTION(ProjectOperation_Save, (const API_FileSavePars* fileSavePars, const void* savePars),
               (fileSavePars, savePars))
