// Records of the host's automation functions: saving the project in another file format.
#pragma once

#include "APIdefs_Base.h"
#include "BM.hpp"
#include "Location.hpp"
#include "UniString.hpp"

#include <cstring>
#include <utility>

// File type codes of the host's save operation.
typedef enum {
    APIFType_None = 0,
    APIFType_IfcFile = 35,
} API_FTypeID;

// One of the host's IFC export translators: the name the user gave it in the translator setup, and the
// host's own reference by which a save names it, in a handle the record owns. A reference is only good
// for the host that listed it.
struct API_IFCTranslatorIdentifier {
    GSHandle innerReference;
    GS::UniString name;

    API_IFCTranslatorIdentifier() : innerReference(nullptr), name("") {}
    API_IFCTranslatorIdentifier(const API_IFCTranslatorIdentifier& that) : innerReference(nullptr), name(that.name)
    {
        if (that.innerReference != nullptr) {
            const Int32 size = BMGetHandleSize(that.innerReference);
            innerReference = BMAllocateHandle(size, 0, 0);
            if (innerReference != nullptr && size > 0)
                std::memcpy(*innerReference, *that.innerReference, static_cast<size_t>(size));
        }
    }
    API_IFCTranslatorIdentifier(API_IFCTranslatorIdentifier&& that) : API_IFCTranslatorIdentifier() { Swap(that); }
    ~API_IFCTranslatorIdentifier() { BMKillHandle(&innerReference); }

    API_IFCTranslatorIdentifier& operator=(API_IFCTranslatorIdentifier other)
    {
        Swap(other);
        return *this;
    }

    void Swap(API_IFCTranslatorIdentifier& other)
    {
        std::swap(innerReference, other.innerReference);
        std::swap(name, other.name);
    }
};

// What a save writes, and where.
struct API_FileSavePars {
    API_FTypeID fileTypeID;
    IO::Location* file;  // the file to write; its folder must exist
};

// The extra parameters of a save as an IFC file.
struct API_SavePars_Ifc {
    API_IFCTranslatorIdentifier translatorIdentifier;
};

// What a save as IFC could answer about the elements it wrote; the add-on asks for none.
struct API_IFCRelationshipData;
