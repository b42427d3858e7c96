// A library container file (".lcf") to download and add to the project's library list.
#pragma once

#include "Parsing/Items/BaseItem.hpp"

namespace QRV {

class Library : public virtual BaseItem {
public:
    Library() = default;
    Library(const Library&) = default;
    Library& operator=(const Library&) = default;
    ~Library() override;

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
};

}  // namespace QRV
