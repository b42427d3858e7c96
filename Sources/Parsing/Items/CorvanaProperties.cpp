#include "Parsing/Items/CorvanaProperties.hpp"

#include <stdexcept>

namespace QRV {

CorvanaProperties CorvanaProperties::FromJson(const Json& records)
{
    CorvanaProperties properties;
    if (records.is_null())
        return properties;
    if (!records.is_array())
        throw std::invalid_argument(std::string("a property list must be an array, but is ") +
                                    records.type_name());
    for (const Json& record : records)
        properties.Append(record);
    return properties;
}

GS::UniString CorvanaProperties::ValueOf(const GS::UniString& name) const
{
    for (const CorvanaProperty& property : properties_)
        if (property.GetName() == name)
            return property.GetValue();
    return GS::UniString();
}

nlohmann::ordered_json CorvanaProperties::ToJson() const
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CorvanaProperty& property : properties_)
        list.push_back(property.ToJson());
    return list;
}

void CorvanaProperties::Dump() const
{
    for (const CorvanaProperty& property : properties_)
        property.Dump();
}

}  // namespace QRV
