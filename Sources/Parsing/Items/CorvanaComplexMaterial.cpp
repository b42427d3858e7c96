#include "Parsing/Items/CorvanaComplexMaterial.hpp"
#include "Support/Utf8.hpp"

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
                 ToUtf8(GetName()).c_str());
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
    DBPrintf("id: %s\n", ToUtf8(id_).c_str());
    DBPrintf("description: %s\n", ToUtf8(description_).c_str());
    DBPrintf("status: %s\n", ToUtf8(GetStatus()).c_str());
    DBPrintf("type: %s\n", ToUtf8(GetSystemType()).c_str());
    DBPrintf("name: %s\n", ToUtf8(GetName()).c_str());
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
