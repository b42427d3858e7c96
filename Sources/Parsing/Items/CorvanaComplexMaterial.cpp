#include "Parsing/Items/CorvanaComplexMaterial.hpp"

#include "GSDebug.hpp"

#include <utility>

namespace QRV {
namespace {

PropertyHooks<CorvanaComplexMaterial>& InstalledHooks()
{
    static PropertyHooks<CorvanaComplexMaterial> hooks;
    return hooks;
}

}  // namespace

CorvanaComplexMaterial::~CorvanaComplexMaterial() = default;

void CorvanaComplexMaterial::InstallPropertyHooks(PropertyHooks<CorvanaComplexMaterial> hooks)
{
    InstalledHooks() = std::move(hooks);
}

void CorvanaComplexMaterial::StoreProperties(const API_Attribute* attributeRecord)
{
    const auto& store = InstalledHooks().store;
    if (!store) {
        DBPrintf("CorvanaComplexMaterial: no property store installed, properties of %s not stored\n",
                 GetName().ToCStr().Get());
        return;
    }
    store(*this, attributeRecord);
}

void CorvanaComplexMaterial::LoadStoredProperties()
{
    const auto& loadStored = InstalledHooks().loadStored;
    if (loadStored)
        loadStored(*this);
}

void CorvanaComplexMaterial::Dump() const
{
    DBPrintf("==CorvanaComplexMaterial==\n");
    DBPrintf("id: %s\n", id_.ToCStr().Get());
    DBPrintf("description: %s\n", description_.ToCStr().Get());
    DBPrintf("status: %s\n", GetStatus().ToCStr().Get());
    DBPrintf("type: %s\n", GetSystemType().ToCStr().Get());
    DBPrintf("name: %s\n", GetName().ToCStr().Get());
    properties_.Dump();
    DBPrintf("================\n");
}

void CorvanaComplexMaterial::ForEachMaterial(const std::function<void(Material& material)>& visit)
{
    for (CorvanaMaterial& material : materials_)
        visit(material);
}

USize CorvanaComplexMaterial::MaterialCount() const { return static_cast<USize>(materials_.size()); }

}  // namespace QRV
