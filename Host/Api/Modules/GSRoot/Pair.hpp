// GS::Pair: two values of any types.
#pragma once

#include "Definitions.hpp"

#include <utility>

namespace GS {

template <class Type1, class Type2>
class Pair {
public:
    using FirstType = Type1;
    using SecondType = Type2;

    Type1 first;
    Type2 second;

    constexpr Pair() : first(), second() {}
    constexpr Pair(const Type1& firstValue, const Type2& secondValue) : first(firstValue), second(secondValue) {}
    template <class T1, class T2>
    constexpr Pair(const Pair<T1, T2>& source) : first(source.first), second(source.second)
    {
    }
    template <class T1, class T2>
    constexpr Pair(Pair<T1, T2>&& source) : first(std::move(source.first)), second(std::move(source.second))
    {
    }
    constexpr Pair(const Pair& source) = default;
    constexpr Pair(Pair&& source) = default;
    Pair& operator=(const Pair& source) = default;
    Pair& operator=(Pair&& source) = default;

    constexpr void Get(Type1& outFirst, Type2& outSecond) const
    {
        outFirst = first;
        outSecond = second;
    }
    constexpr void Set(const Type1& newFirst, const Type2& newSecond)
    {
        first = newFirst;
        second = newSecond;
    }

    constexpr bool operator==(const Pair& rightOp) const { return first == rightOp.first && second == rightOp.second; }
    constexpr bool operator!=(const Pair& rightOp) const { return !(*this == rightOp); }
    constexpr bool operator<(const Pair& rightOp) const
    {
        return first < rightOp.first || (!(rightOp.first < first) && second < rightOp.second);
    }
};

}  // namespace GS
