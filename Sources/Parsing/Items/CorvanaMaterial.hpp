// A building material picked in the catalogue: the material itself plus the catalogue's identity, change
// stamp and properties.
#pragma once

#include "Parsing/Items/CorvanaProperties.hpp"
#include "Parsing/Items/Material.hpp"
#include "Parsing/Items/PropertyHooks.hpp"

namespace QRV {

class CorvanaMaterial : public Material, public virtual BaseItem {
public:
    CorvanaMaterial() = default;
    CorvanaMaterial(const CorvanaMaterial&) = default;
    CorvanaMaterial& operator=(const CorvanaMaterial&) = default;
    ~CorvanaMaterial() override;

    // The project writer's property storing and reloading, installed once for all materials.
    static void InstallPropertyHooks(PropertyHooks<CorvanaMaterial> hooks);

    // Hands the item to the installed store hook (property definitions, values and attribute user data).
    void StoreProperties(const API_Attribute* attributeRecord) override;
    // Hands the item to the installed reload hook (the user data of the material of this name).
    void LoadStoredProperties() override;

    const GS::UniString& GetId() const { return id_; }
    void SetId(const GS::UniString& id) { id_ = id; }
    const GS::UniString& GetArticleNumber() const { return articleNumber_; }
    void SetArticleNumber(const GS::UniString& articleNumber) { articleNumber_ = articleNumber; }
    const GS::UniString& GetImageUrl() const { return imageUrl_; }
    void SetImageUrl(const GS::UniString& imageUrl) { imageUrl_ = imageUrl; }
    // The catalogue's change stamp of the article; 0 when it gave none.
    Int64 GetUpdatedAt() const { return updatedAt_; }
    void SetUpdatedAt(Int64 updatedAt) { updatedAt_ = updatedAt; }

    const CorvanaProperties& GetProperties() const { return properties_; }
    void SetProperties(const CorvanaProperties& properties) { properties_ = properties; }

private:
    GS::UniString id_ = "Undefined";
    GS::UniString articleNumber_ = "Undefined";
    GS::UniString imageUrl_;
    Int64 updatedAt_ = 0;
    CorvanaProperties properties_;
};

}  // namespace QRV
