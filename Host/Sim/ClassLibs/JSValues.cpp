#include "JSValues.hpp"

namespace JS {

Base::~Base() = default;

Function::Function(const GS::UniString& functionName) : name(functionName) {}

Function::Function(const GS::UniString& functionName, const std::function<GS::Ref<Base>(GS::Ref<Base>)>& function)
    : name(functionName), callBack(function)
{
}

Function::~Function() = default;

const GS::UniString& Function::GetName() const { return name; }

GS::Ref<Base> Function::CalledFromJSSide(GS::Ref<Base> params)
{
    return callBack ? callBack(params) : GS::Ref<Base>();
}

Object::Object(const GS::UniString& objectName) : name(objectName) {}
Object::~Object() = default;

const GS::UniString& Object::GetName() const { return name; }

void Object::AddItem(const GS::UniString& itemName, GS::Ref<Base> item)
{
    if (item != nullptr)
        items.Put(itemName, item);
}

void Object::AddItem(GS::Ref<Function> function)
{
    if (function != nullptr)
        items.Put(function->GetName(), function);
}

const GS::HashTable<GS::UniString, GS::Ref<Base>>& Object::GetItemTable() const { return items; }

GS::Ref<Base> Object::CalledFromJSSide(const GS::UniString& functionName, GS::Ref<Base> params)
{
    const GS::Ref<Base>* item = items.GetPtr(functionName);
    GS::Ref<Function> function = item != nullptr ? GS::DynamicCast<Function>(*item) : GS::Ref<Function>();
    return function != nullptr ? function->CalledFromJSSide(params) : GS::Ref<Base>();
}

void Array::AddItem(GS::Ref<Base> item) { items.Push(item); }
const GS::Array<GS::Ref<Base>>& Array::GetItemArray() const { return items; }
Array::~Array() = default;

Value::Value(bool value) : valueType(BOOL), boolValue(value) {}
Value::Value(Int32 value) : valueType(INTEGER), intValue(value) {}
Value::Value(UInt32 value) : valueType(UINTEGER), uintValue(value) {}
Value::Value(double value) : valueType(DOUBLE), doubleValue(value) {}
Value::Value(const GS::UniString& value) : valueType(STRING), stringValue(value) {}
Value::Value(const char* value) : valueType(STRING), stringValue(value) {}
Value::~Value() = default;

bool Value::GetBool() const { return valueType == BOOL && boolValue; }
Int32 Value::GetInteger() const { return valueType == INTEGER ? intValue : 0; }
UInt32 Value::GetUInteger() const { return valueType == UINTEGER ? uintValue : 0; }
// Whole numbers read as doubles too, as a page's numbers are one type.
double Value::GetDouble() const
{
    switch (valueType) {
        case DOUBLE: return doubleValue;
        case INTEGER: return intValue;
        case UINTEGER: return uintValue;
        default: return 0.0;
    }
}

const GS::UniString& Value::GetString() const { return stringValue; }
bool Value::IsNull() const { return valueType == DEFAULT; }
Value::ValueType Value::GetType() const { return valueType; }

}  // namespace JS
