// One catalogue property of an imported item: the texts that become a property value in the project.
#pragma once

#include "Parsing/PayloadReading.hpp"

namespace QRV {

class CorvanaProperty {
public:
    static constexpr const char* DefaultGroup = "Corvana";

    CorvanaProperty() = default;
    CorvanaProperty(GS::UniString group, GS::UniString name, GS::UniString unit, GS::UniString type,
                    GS::UniString value);

    // From a property record {"group", "name", "unit", "type", "value"}: every key that is there goes
    // through the text conversion (the value through the property-value conversion); a missing group is
    // "Corvana", any other missing key "". A record that is not an object is refused.
    static CorvanaProperty FromRecord(const Json& record);
    // The record form, keys in the order group, name, unit, type, value.
    nlohmann::ordered_json ToJson() const;

    const GS::UniString& GetGroup() const { return group_; }
    const GS::UniString& GetName() const { return name_; }
    const GS::UniString& GetUnit() const { return unit_; }
    const GS::UniString& GetType() const { return type_; }
    const GS::UniString& GetValue() const { return value_; }
    void SetGroup(const GS::UniString& group) { group_ = group; }
    void SetName(const GS::UniString& name) { name_ = name; }
    void SetUnit(const GS::UniString& unit) { unit_ = unit; }
    void SetType(const GS::UniString& type) { type_ = type; }
    void SetValue(const GS::UniString& value) { value_ = value; }

    // One line of the host's debug output.
    void Dump() const;

    bool operator==(const CorvanaProperty& other) const;
    bool operator!=(const CorvanaProperty& other) const { return !(*this == other); }

private:
    GS::UniString group_ = DefaultGroup;
    GS::UniString name_;
    GS::UniString unit_;
    GS::UniString type_;
    GS::UniString value_;
};

}  // namespace QRV
