#include "Parsing/Items/BaseItem.hpp"

namespace QRV {

BaseItem::~BaseItem() = default;

void BaseItem::StoreProperties(const API_Attribute*) {}

void BaseItem::LoadStoredProperties() {}

}  // namespace QRV
