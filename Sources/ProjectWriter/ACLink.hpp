// The project writer: everything an importer writes into the open project goes through one ACLink, made
// fresh for each importer.
#pragma once

#include "APIdefs_Attributes.h"
#include "Location.hpp"
#include "Parsing/PayloadReading.hpp"

#include <memory>
#include <set>
#include <string>

namespace QRV {

class ComplexMaterial;
class Library;
class LibraryPart;
class Material;

class ACLink {
public:
    ACLink();
    virtual ~ACLink();

    // The folder single library parts go to: "Corvana" in the embedded library, or, in a project without
    // one, "Corvana" in the user's documents, which then joins the library list. `folder` gets it on success.
    virtual GSErrCode GetTargetLibraryFolder(std::unique_ptr<IO::Location>* folder);

    // Creates the building material, or overwrites the existing one of that name; leaves "imported",
    // "overwritten" or "failed" in the item. False when the host refused.
    bool CreateMaterial(Material& material);

    // Writes the skin materials and creates the composite, or overwrites the existing one of that name
    // (keeping its separator lines and its skins' pens and flags where both have the position); then the
    // item's after-write hook and, for a replacement, the swap in every element built of the old one.
    // Leaves "imported", "overwritten" or "failed" in the item; false when the user declined, memory was
    // short or the composite could not be written.
    bool CreateComplexMaterial(ComplexMaterial& composite);

    // A "curtain wall" or "stair" product matched to placed elements by their IFC name. Returns the host
    // code of the element listing, or -128 when the user declined to replace what an earlier import stored.
    GSErrCode ImportNamedProduct(const Json& payload, const GS::UniString& importType);

    // Downloads the part, copies it into the target library folder, registers it, remembers its properties
    // under its name and writes them as the part's own parameters. False when any step failed; a part whose
    // download, copy or registration failed is not registered.
    bool ImportLibraryPart(LibraryPart& item);
    // Downloads the container and adds it to the library list (a container listed already stays listed
    // once). False when the download
    // failed or the host refused the list.
    bool ImportLibrary(Library& item);
};

// Names of the building materials created during the current bulk run.
std::set<std::string>& MaterialsCreatedInBulkRun();

}  // namespace QRV
