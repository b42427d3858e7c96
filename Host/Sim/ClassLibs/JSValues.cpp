#include "JSValues.hpp"

namespace JS {

Base::~Base() = default;

Value::Value() = default;
Value::Value(bool value) : type_(BOOL), bool_(value) {}
Value::Value(Int32 value) : type_(INTEGER), integer_(value) {}
Value::Value(Int64 value) : type_(INTEGER), integer_(value) {}
Value::Value(double value) : type_(DOUBLE), double_(value) {}
Value::Value(const GS::UniString& value) : type_(STRING), string_(value) {}
Value::Value(const char* value) : type_(STRING), string_(value) {}
Value::~Value() = default;

bool Value::GetBool() const { return type_ == BOOL && bool_; }
Int64 Value::GetInteger() const { return type_ == INTEGER ? integer_ : 0; }
double Value::GetDouble() const { return type_ == DOUBLE ? double_ : type_ == INTEGER ? static_cast<double>(integer_) : 0.0; }
GS::UniString Value::GetString() const { return type_ == STRING ? string_ : GS::UniString(); }

Array::Array() = default;
Array::~Array() = default;
void Array::AddItem(const GS::Ref<Base>& item) { items_.Push(item); }

Function::Function(const GS::UniString& name, Body body) : name_(name), body_(std::move(body)) {}
Function::~Function() = default;

GS::Ref<Base> Function::Call(const GS::Ref<Base>& argument) const
{
    return body_ ? body_(argument) : GS::Ref<Base>();
}

Object::Object(const GS::UniString& name) : name_(name) {}
Object::~Object() = default;

void Object::AddItem(const GS::Ref<Base>& item)
{
    if (item != nullptr)
        items_.Push(item);
}

GS::Ref<Function> Object::FindFunction(const GS::UniString& name) const
{
    for (const auto& item : items_) {
        GS::Ref<Function> function = GS::DynamicCast<Function>(item);
        if (function != nullptr && function->GetName() == name)
            return function;
    }
    return GS::Ref<Function>();
}

}  // namespace JS
