// GS::Ref: the host's reference-counted pointer to an object (see CountedPtrImpl.hpp).
#pragma once

#include "CountedPtrImpl.hpp"

namespace GS {

template <typename T, typename CounterT = Counter>
class Ref : public CountedPtrImpl<T, CounterT, RefBehaviour> {
    using Base = CountedPtrImpl<T, CounterT, RefBehaviour>;

public:
    using Base::Base;
    Ref() {}

    Ref& operator=(std::nullptr_t)
    {
        Base::operator=(nullptr);
        return *this;
    }
    template <typename U>
    Ref& operator=(U* instance)
    {
        Base::operator=(instance);
        return *this;
    }
    template <typename U, typename BehaviourU>
    Ref& operator=(const CountedPtrImpl<U, CounterT, BehaviourU>& rhs)
    {
        Base::operator=(rhs);
        return *this;
    }
    template <typename U, typename BehaviourU>
    Ref& operator=(CountedPtrImpl<U, CounterT, BehaviourU>&& rhs)
    {
        Base::operator=(std::move(rhs));
        return *this;
    }

    bool operator==(std::nullptr_t) const { return Base::operator==(nullptr); }
    bool operator!=(std::nullptr_t) const { return Base::operator!=(nullptr); }

    void Swap(Ref& rhs) { Base::Swap(rhs); }
};

template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> StaticCast(const Ref<FromType, CounterT>& from)
{
    return Ref<ToType, CounterT>(from, StaticCastSelector());
}

template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> ConstCast(const Ref<FromType, CounterT>& from)
{
    return Ref<ToType, CounterT>(from, ConstCastSelector());
}

template <class ToType, class FromType, class CounterT>
inline Ref<ToType, CounterT> DynamicCast(const Ref<FromType, CounterT>& from)
{
    return Ref<ToType, CounterT>(from, DynamicCastSelector());
}

template <class T1, class T2, class CounterT>
inline bool IsType(const Ref<T2, CounterT>& ref)
{
    return ref != nullptr && dynamic_cast<T1*>(ref.operator->()) != nullptr;
}

template <class T, class CounterT = Counter, typename... Args>
inline Ref<T, CounterT> NewRef(Args&&... args)
{
    return Ref<T, CounterT>(new T(std::forward<Args>(args)...));
}

}  // namespace GS
