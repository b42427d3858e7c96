// The browser's script values: what a page passes to a registered function and what the function answers.
// A page sees a registered JS::Object under its name, with its JS::Function items as methods.
#pragma once

#include "Array.hpp"
#include "Ref.hpp"
#include "UniString.hpp"

#include <functional>

namespace JS {

class HOSTLIB_API Base {
public:
    virtual ~Base();

protected:
    Base() = default;
};

class HOSTLIB_API Value : public Base {
public:
    enum ValueType { UNDEFINED, BOOL, INTEGER, DOUBLE, STRING };

    Value();
    Value(bool value);
    Value(Int32 value);
    Value(Int64 value);
    Value(double value);
    Value(const GS::UniString& value);
    Value(const char* value);
    ~Value() override;

    ValueType GetType() const { return type_; }
    // Each getter answers the value when it is of its type, and the type's zero value otherwise.
    bool GetBool() const;
    Int64 GetInteger() const;
    double GetDouble() const;
    GS::UniString GetString() const;

private:
    ValueType type_ = UNDEFINED;
    bool bool_ = false;
    Int64 integer_ = 0;
    double double_ = 0.0;
    GS::UniString string_;
};

class HOSTLIB_API Array : public Base {
public:
    Array();
    ~Array() override;

    void AddItem(const GS::Ref<Base>& item);
    const GS::Array<GS::Ref<Base>>& GetItemArray() const { return items_; }

private:
    GS::Array<GS::Ref<Base>> items_;
};

class HOSTLIB_API Function : public Base {
public:
    using Body = std::function<GS::Ref<Base>(GS::Ref<Base>)>;

    Function(const GS::UniString& name, Body body);
    ~Function() override;

    const GS::UniString& GetName() const { return name_; }
    // Runs the function as the page's call does; an empty argument stands for a call without one.
    GS::Ref<Base> Call(const GS::Ref<Base>& argument) const;

private:
    GS::UniString name_;
    Body body_;
};

class HOSTLIB_API Object : public Base {
public:
    explicit Object(const GS::UniString& name);
    ~Object() override;

    const GS::UniString& GetName() const { return name_; }
    // Adds a member; functions become the object's methods under their names.
    void AddItem(const GS::Ref<Base>& item);
    const GS::Array<GS::Ref<Base>>& GetItemArray() const { return items_; }
    // The function member of that name, or empty.
    GS::Ref<Function> FindFunction(const GS::UniString& name) const;

private:
    GS::UniString name_;
    GS::Array<GS::Ref<Base>> items_;
};

}  // namespace JS
