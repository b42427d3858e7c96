// What a catalogue product carries whether it arrives as a library container or as a single library part:
// identity, the four file texts of the library interface, image data and properties.
#pragma once

#include "Parsing/Items/BaseItem.hpp"
#include "Parsing/Items/CorvanaProperties.hpp"

namespace QRV {

template <typename LibraryInterface>
class CorvanaProductItem : public LibraryInterface, public virtual BaseItem {
public:
    explicit CorvanaProductItem(const char* fileExtension) : fileExtension_(fileExtension) {}

    const GS::UniString& GetFileName() const override { return fileName_; }
    void SetFileName(const GS::UniString& fileName) override { fileName_ = fileName; }
    const GS::UniString& GetDownloadedFilePath() const override { return downloadedFilePath_; }
    void SetDownloadedFilePath(const GS::UniString& path) override { downloadedFilePath_ = path; }
    const GS::UniString& GetFileUrl() const override { return fileUrl_; }
    void SetFileUrl(const GS::UniString& fileUrl) override { fileUrl_ = fileUrl; }
    const GS::UniString& GetInstalledFilePath() const override { return installedFilePath_; }
    void SetInstalledFilePath(const GS::UniString& path) override { installedFilePath_ = path; }

    const GS::UniString& GetId() const { return id_; }
    void SetId(const GS::UniString& id) { id_ = id; }
    const GS::UniString& GetDescription() const { return description_; }
    void SetDescription(const GS::UniString& description) { description_ = description; }
    // "lcf" for a container, "gsm" for a single part.
    const GS::UniString& GetFileExtension() const { return fileExtension_; }
    const GS::UniString& GetImageUrl() const { return imageUrl_; }
    void SetImageUrl(const GS::UniString& imageUrl) { imageUrl_ = imageUrl; }
    const GS::UniString& GetImagePath() const { return imagePath_; }
    void SetImagePath(const GS::UniString& imagePath) { imagePath_ = imagePath; }
    const GS::UniString& GetImageExtension() const { return imageExtension_; }
    void SetImageExtension(const GS::UniString& imageExtension) { imageExtension_ = imageExtension; }

    const CorvanaProperties& GetProperties() const { return properties_; }
    void SetProperties(const CorvanaProperties& properties) { properties_ = properties; }

private:
    GS::UniString id_ = "Undefined";
    GS::UniString description_ = "Undefined";
    GS::UniString fileName_;
    GS::UniString downloadedFilePath_;
    GS::UniString fileUrl_;
    GS::UniString installedFilePath_;
    GS::UniString fileExtension_;
    GS::UniString imageUrl_;
    GS::UniString imagePath_;
    GS::UniString imageExtension_ = "jpg";
    CorvanaProperties properties_;
};

}  // namespace QRV
