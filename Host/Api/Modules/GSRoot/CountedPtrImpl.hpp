// The shared part of the host's reference-counted pointers: copies share one count and the object is
// deleted when the last holder lets go. A raw pointer converts implicitly, so `return new JS::Value(...)`
// yields a Ref.
//
// The object is deleted through the pointer type of the last holder, so a class held through its base
// needs a virtual destructor (the host's class hierarchies have one). Deleting through the holder's type,
// rather than through a deleter captured where the object was made, keeps a host object deletable even
// after the module that made it has been unloaded.
#pragma once

#include "Counter.hpp"

#include <cstddef>
#include <type_traits>
#include <utility>

namespace GS {

class StaticCastSelector {};
class ConstCastSelector {};
class DynamicCastSelector {};

class PtrBehaviour {};
class RefBehaviour {};

template <typename T, typename CounterT = Counter, typename BehaviourT = PtrBehaviour>
class CountedPtrImpl {
    template <typename U, typename CounterU, typename BehaviourU>
    friend class CountedPtrImpl;

protected:
    T* m_instance;
    CounterT* m_counter;

public:
    CountedPtrImpl() : m_instance(nullptr), m_counter(nullptr) {}
    CountedPtrImpl(std::nullptr_t) : CountedPtrImpl() {}
    template <typename U>
    CountedPtrImpl(U* instance) : m_instance(instance), m_counter(instance != nullptr ? new CounterT(1) : nullptr)
    {
    }
    CountedPtrImpl(const CountedPtrImpl& rhs) : m_instance(rhs.m_instance), m_counter(rhs.m_counter) { Acquire(); }
    CountedPtrImpl(CountedPtrImpl&& rhs) : m_instance(rhs.m_instance), m_counter(rhs.m_counter)
    {
        rhs.m_instance = nullptr;
        rhs.m_counter = nullptr;
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) : m_instance(rhs.m_instance), m_counter(rhs.m_counter)
    {
        Acquire();
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs) : m_instance(rhs.m_instance), m_counter(rhs.m_counter)
    {
        rhs.m_instance = nullptr;
        rhs.m_counter = nullptr;
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, StaticCastSelector)
        : m_instance(static_cast<T*>(rhs.m_instance)), m_counter(rhs.m_counter)
    {
        Acquire();
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, ConstCastSelector)
        : m_instance(const_cast<T*>(rhs.m_instance)), m_counter(rhs.m_counter)
    {
        Acquire();
    }
    // An empty pointer when the object is not of type T.
    template <typename U, typename BehaviourU>
    CountedPtrImpl(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs, DynamicCastSelector)
        : m_instance(dynamic_cast<T*>(rhs.m_instance)), m_counter(m_instance != nullptr ? rhs.m_counter : nullptr)
    {
        Acquire();
    }
    ~CountedPtrImpl() { Release(); }

    CountedPtrImpl& operator=(std::nullptr_t)
    {
        CountedPtrImpl().Swap(*this);
        return *this;
    }
    template <typename U>
    CountedPtrImpl& operator=(U* instance)
    {
        CountedPtrImpl(instance).Swap(*this);
        return *this;
    }
    CountedPtrImpl& operator=(const CountedPtrImpl& rhs)
    {
        CountedPtrImpl(rhs).Swap(*this);
        return *this;
    }
    CountedPtrImpl& operator=(CountedPtrImpl&& rhs)
    {
        CountedPtrImpl(std::move(rhs)).Swap(*this);
        return *this;
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl& operator=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs)
    {
        CountedPtrImpl(rhs).Swap(*this);
        return *this;
    }
    template <typename U, typename BehaviourU>
    CountedPtrImpl& operator=(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs)
    {
        CountedPtrImpl(std::move(rhs)).Swap(*this);
        return *this;
    }

    bool operator==(std::nullptr_t) const { return m_instance == nullptr; }
    template <typename U, typename BehaviourU>
    bool operator==(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) const
    {
        return m_instance == rhs.m_instance;
    }
    bool operator!=(std::nullptr_t) const { return m_instance != nullptr; }
    template <typename U, typename BehaviourU>
    bool operator!=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs) const
    {
        return m_instance != rhs.m_instance;
    }

    operator T*() const { return m_instance; }
    T* operator->() const { return m_instance; }
    T& operator*() const { return *m_instance; }

    CounterT& GetCounter() { return *m_counter; }

protected:
    template <typename U, typename BehaviourU>
    void Swap(CountedPtrImpl<U, CounterT, BehaviourU>& rhs)
    {
        std::swap(m_instance, rhs.m_instance);
        std::swap(m_counter, rhs.m_counter);
    }

    void Release()
    {
        if (m_counter != nullptr && --(*m_counter) == 0) {
            delete m_instance;
            delete m_counter;
        }
        m_instance = nullptr;
        m_counter = nullptr;
    }

private:
    void Acquire()
    {
        if (m_counter != nullptr)
            ++(*m_counter);
    }
};

}  // namespace GS
