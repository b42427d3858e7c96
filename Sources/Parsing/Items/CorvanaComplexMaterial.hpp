// A construction system picked in the catalogue: the composite, its skin materials as catalogue materials
// (each with its own properties), and the system's identity and properties.
#pragma once

#include "Parsing/Items/ComplexMaterial.hpp"
#include "Parsing/Items/CorvanaMaterial.hpp"

namespace QRV {

class CorvanaComplexMaterial : public ComplexMaterial, public virtual BaseItem {
public:
    CorvanaComplexMaterial() = default;
    CorvanaComplexMaterial(const CorvanaComplexMaterial&) = default;
    CorvanaComplexMaterial& operator=(const CorvanaComplexMaterial&) = default;
    ~CorvanaComplexMaterial() override;

    // The project writer's property storing (composite and the elements using it) and reloading.
    static void InstallPropertyHooks(PropertyHooks<CorvanaComplexMaterial> hooks);

    void StoreProperties(const API_Attribute* attributeRecord) override;
    void LoadStoredProperties() override;

    void Dump() const override;
    void ForEachMaterial(const std::function<void(Material& material)>& visit) override;
    USize MaterialCount() const override;

    // Hides the bare composite's list: a catalogue system's skins are catalogue materials.
    void AddMaterial(const CorvanaMaterial& material) { materials_.push_back(material); }
    std::vector<CorvanaMaterial>& Materials() { return materials_; }
    const std::vector<CorvanaMaterial>& Materials() const { return materials_; }
    void SetMaterials(const std::vector<CorvanaMaterial>& materials) { materials_ = materials; }

    const GS::UniString& GetId() const { return id_; }
    void SetId(const GS::UniString& id) { id_ = id; }
    const GS::UniString& GetDescription() const { return description_; }
    void SetDescription(const GS::UniString& description) { description_ = description; }
    // The catalogue's "like" text of the system, carried as it comes.
    const GS::UniString& GetLike() const { return like_; }
    void SetLike(const GS::UniString& like) { like_ = like; }

    const CorvanaProperties& GetProperties() const { return properties_; }
    void SetProperties(const CorvanaProperties& properties) { properties_ = properties; }

private:
    GS::UniString id_ = "Undefined";
    GS::UniString description_ = "Undefined";
    GS::UniString like_ = "Undefined";
    std::vector<CorvanaMaterial> materials_;
    CorvanaProperties properties_;
};

}  // namespace QRV
