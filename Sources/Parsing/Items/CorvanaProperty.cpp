#include "Parsing/Items/CorvanaProperty.hpp"

#include "GSDebug.hpp"
#include "Support/Utf8.hpp"

#include <stdexcept>
#include <utility>

namespace QRV {

CorvanaProperty::CorvanaProperty(GS::UniString group, GS::UniString name, GS::UniString unit,
                                 GS::UniString type, GS::UniString value)
    : group_(std::move(group)), name_(std::move(name)), unit_(std::move(unit)), type_(std::move(type)),
      value_(std::move(value))
{
}

CorvanaProperty CorvanaProperty::FromRecord(const Json& record)
{
    if (!record.is_object())
        throw std::invalid_argument(std::string("a property record must be an object, but is ") +
                                    record.type_name());
    CorvanaProperty property;
    if (Payload::Contains(record, "group"))
        property.group_ = Payload::Text(record.at("group"));
    if (Payload::Contains(record, "name"))
        property.name_ = Payload::Text(record.at("name"));
    if (Payload::Contains(record, "unit"))
        property.unit_ = Payload::Text(record.at("unit"));
    if (Payload::Contains(record, "type"))
        property.type_ = Payload::Text(record.at("type"));
    if (Payload::Contains(record, "value"))
        property.value_ = Payload::PropertyValueText(record.at("value"));
    return property;
}

nlohmann::ordered_json CorvanaProperty::ToJson() const
{
    nlohmann::ordered_json record = nlohmann::ordered_json::object();
    record["group"] = ToUtf8(group_);
    record["name"] = ToUtf8(name_);
    record["unit"] = ToUtf8(unit_);
    record["type"] = ToUtf8(type_);
    record["value"] = ToUtf8(value_);
    return record;
}

void CorvanaProperty::Dump() const
{
    DBPrintf("==KMP==group: %s name: %s value: %s\n", ToUtf8(group_).c_str(), ToUtf8(name_).c_str(),
             ToUtf8(value_).c_str());
}

bool CorvanaProperty::operator==(const CorvanaProperty& other) const
{
    return group_ == other.group_ && name_ == other.name_ && unit_ == other.unit_ && type_ == other.type_ &&
           value_ == other.value_;
}

}  // namespace QRV
