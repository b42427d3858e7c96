// GS::Counter: the reference count of GS::Ref.
#pragma once

#include "Definitions.hpp"

#include <atomic>

namespace GS {

class GSROOT_DLL_EXPORT Counter {
public:
    explicit Counter(UInt32 initialValue = 0) : value(initialValue) {}
    Counter(const Counter&) = delete;
    const Counter& operator=(const Counter&) = delete;

    UInt32 operator++(int) { return value++; }
    UInt32 operator++() { return ++value; }
    UInt32 operator--(int) { return value--; }
    UInt32 operator--() { return --value; }
    operator UInt32() const { return value; }

private:
    // Atomic although the host's is not: a page served from other threads may hand its values across.
    std::atomic<UInt32> value;
};

}  // namespace GS
