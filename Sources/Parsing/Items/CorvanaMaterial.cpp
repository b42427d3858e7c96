#include "Parsing/Items/CorvanaMaterial.hpp"
#include "Support/Utf8.hpp"

#include "GSDebug.hpp"

#include <utility>

namespace QRV {
namespace {

PropertyHooks<CorvanaMaterial>& InstalledHooks()
{
    static PropertyHooks<CorvanaMaterial> hooks;
    return hooks;
}

}  // namespace

CorvanaMaterial::~CorvanaMaterial() = default;

void CorvanaMaterial::InstallPropertyHooks(PropertyHooks<CorvanaMaterial> hooks)
{
    InstalledHooks() = std::move(hooks);
}

void CorvanaMaterial::StoreProperties(const API_Attribute* attributeRecord)
{
    const auto& store = InstalledHooks().store;
    if (!store) {
        DBPrintf("CorvanaMaterial: no property store installed, properties of %s not stored\n",
                 ToUtf8(GetName()).c_str());
        return;
    }
    store(*this, attributeRecord);
}

void CorvanaMaterial::LoadStoredProperties()
{
    const auto& loadStored = InstalledHooks().loadStored;
    if (loadStored)
        loadStored(*this);
}

}  // namespace QRV
