#pragma once

#include "Import/BaseImporter.hpp"
#include "Parsing/Items/CorvanaLibrary.hpp"

namespace QRV {

// A "Product" document whose file is a library container: added to the project's library list.
class LibraryImporter : public virtual BaseImporter {
public:
    explicit LibraryImporter(const Json& data);
    ~LibraryImporter() override;

    bool ImportFrom(const Json& json) override;
    bool Import() override;

private:
    ACLink link_;
    std::unique_ptr<CorvanaLibrary> item_;
};

}  // namespace QRV
