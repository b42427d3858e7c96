// Records of the host's automation functions: saving the project in another file format.
#pragma once

#include "APIdefs_Base.h"
#include "Location.hpp"
#include "UniString.hpp"

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
