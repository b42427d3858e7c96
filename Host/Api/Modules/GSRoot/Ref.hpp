// GS::Ref: the host's reference-counted pointer. Copies share one count; the object is deleted when the
// last reference goes. A raw pointer converts implicitly, so `return new JS::Value(...)` yields a Ref.
//
// The object is deleted through the pointer type of the last holder, so a class held through its base
// needs a virtual destructor (the host's class hierarchies have one). Deleting through the holder's type,
// rather than through a deleter captured where the object was made, keeps a host object alive and
// deletable even after the module that made it has been unloaded.
#pragma once

#include "Definitions.hpp"

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace GS {

template <typename T>
class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}

    template <typename U, typename = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    Ref(U* object) : object_(object), count_(object != nullptr ? new std::atomic<Int32>(1) : nullptr)
    {
    }

    Ref(const Ref& other) : object_(other.object_), count_(other.count_) { Acquire(); }
    Ref(Ref&& other) noexcept : object_(other.object_), count_(other.count_)
    {
        other.object_ = nullptr;
        other.count_ = nullptr;
    }

    template <typename U, typename = std::enable_if_t<std::is_convertible<U*, T*>::value>>
    Ref(const Ref<U>& other) : object_(other.object_), count_(other.count_)
    {
        Acquire();
    }

    ~Ref() { Release(); }

    Ref& operator=(Ref other) noexcept
    {
        std::swap(object_, other.object_);
        std::swap(count_, other.count_);
        return *this;
    }

    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    T* Get() const { return object_; }
    bool IsNull() const { return object_ == nullptr; }
    explicit operator bool() const { return object_ != nullptr; }
    Int32 GetRefCount() const { return count_ != nullptr ? count_->load() : 0; }

    friend bool operator==(const Ref& ref, std::nullptr_t) { return ref.object_ == nullptr; }
    friend bool operator!=(const Ref& ref, std::nullptr_t) { return ref.object_ != nullptr; }
    friend bool operator==(std::nullptr_t, const Ref& ref) { return ref.object_ == nullptr; }
    friend bool operator!=(std::nullptr_t, const Ref& ref) { return ref.object_ != nullptr; }
    template <typename U>
    bool operator==(const Ref<U>& other) const { return object_ == other.Get(); }
    template <typename U>
    bool operator!=(const Ref<U>& other) const { return object_ != other.Get(); }

private:
    template <typename U>
    friend class Ref;
    template <typename To, typename From>
    friend Ref<To> DynamicCast(const Ref<From>& from);
    template <typename To, typename From>
    friend Ref<To> StaticCast(const Ref<From>& from);

    Ref(T* object, std::atomic<Int32>* count) : object_(object), count_(count) { Acquire(); }

    void Acquire()
    {
        if (count_ != nullptr)
            count_->fetch_add(1);
    }

    void Release()
    {
        if (count_ != nullptr && count_->fetch_sub(1) == 1) {
            delete object_;
            delete count_;
        }
        object_ = nullptr;
        count_ = nullptr;
    }

    T* object_ = nullptr;
    std::atomic<Int32>* count_ = nullptr;
};

// A reference of another type to the same object (sharing its count), or an empty one when the object is
// not of that type.
template <typename To, typename From>
Ref<To> DynamicCast(const Ref<From>& from)
{
    To* object = dynamic_cast<To*>(from.object_);
    return object != nullptr ? Ref<To>(object, from.count_) : Ref<To>();
}

template <typename To, typename From>
Ref<To> StaticCast(const Ref<From>& from)
{
    return Ref<To>(static_cast<To*>(from.object_), from.count_);
}

}  // namespace GS
