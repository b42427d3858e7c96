// The ordered list of catalogue properties of one item. Its JSON array form is what the add-on stores as
// attribute user data, element user data and module data.
#pragma once

#include "Parsing/Items/CorvanaProperty.hpp"

#include <string>
#include <vector>

namespace QRV {

class CorvanaProperties {
public:
    CorvanaProperties() = default;

    // From a JSON array of property records, in array order; null gives an empty list, anything else
    // that is not an array is refused.
    static CorvanaProperties FromJson(const Json& records);

    void Append(const Json& record) { properties_.push_back(CorvanaProperty::FromRecord(record)); }
    void Append(const CorvanaProperty& property) { properties_.push_back(property); }

    // The value of the first property of this name; "" when none has it.
    GS::UniString ValueOf(const GS::UniString& name) const;

    const std::vector<CorvanaProperty>& All() const { return properties_; }
    USize Count() const { return static_cast<USize>(properties_.size()); }
    bool IsEmpty() const { return properties_.empty(); }

    nlohmann::ordered_json ToJson() const;
    std::string ToJsonText() const { return ToJson().dump(); }

    void Dump() const;

    bool operator==(const CorvanaProperties& other) const { return properties_ == other.properties_; }
    bool operator!=(const CorvanaProperties& other) const { return !(*this == other); }

private:
    std::vector<CorvanaProperty> properties_;
};

}  // namespace QRV
