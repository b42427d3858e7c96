#pragma once

#include "Import/BaseImporter.hpp"
#include "Parsing/Items/CorvanaLibraryPart.hpp"

namespace QRV {

// A "Product" document whose file is a single library part: placed in the project's library, registered,
// and its properties remembered for the objects placed from it.
class LibraryPartImporter : public virtual BaseImporter {
public:
    explicit LibraryPartImporter(const Json& data);
    ~LibraryPartImporter() override;

    bool ImportFrom(const Json& json) override;
    bool Import() override;

private:
    // The replace question for a part or stored product of the item's name; false to skip the import.
    bool MayImport(const CorvanaLibraryPart& item) const;

    ACLink link_;
    std::unique_ptr<CorvanaLibraryPart> item_;
};

}  // namespace QRV
