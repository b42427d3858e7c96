// A single library part file (".gsm") to download, place in the embedded library and register.
#pragma once

#include "APIdefs_LibraryParts.h"
#include "Parsing/Items/BaseItem.hpp"

namespace QRV {

class LibraryPart : public virtual BaseItem {
public:
    LibraryPart() = default;
    LibraryPart(const LibraryPart&) = default;
    LibraryPart& operator=(const LibraryPart&) = default;
    ~LibraryPart() override;

    // Keeps a copy of the host's record of the registered part (its index and identifiers).
    virtual void SetLibPart(const API_LibPart& libPart);

    // The file's name: the product name and its extension.
    virtual const GS::UniString& GetFileName() const = 0;
    virtual void SetFileName(const GS::UniString& fileName) = 0;
    // Where the file was downloaded to.
    virtual const GS::UniString& GetDownloadedFilePath() const = 0;
    virtual void SetDownloadedFilePath(const GS::UniString& path) = 0;
    // The address to download the file from.
    virtual const GS::UniString& GetFileUrl() const = 0;
    virtual void SetFileUrl(const GS::UniString& fileUrl) = 0;
    // Where the file ended up in the project's libraries.
    virtual const GS::UniString& GetInstalledFilePath() const = 0;
    virtual void SetInstalledFilePath(const GS::UniString& path) = 0;

    const API_LibPart& GetLibPart() const { return libPart_; }

private:
    API_LibPart libPart_{};
};

}  // namespace QRV
