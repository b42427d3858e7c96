// The host's table of imported functions. Each slot holds a thunk that counts the call, applies fault
// injection by the function's name, keeps exceptions inside the host, and then runs the family's
// implementation.
#pragma once

#include "ACAPI_Binding.hpp"

#include <array>
#include <new>

namespace Sim {

GSErrCode InterceptCall(ACAPI::Slot slot);  // defined by Host

template <ACAPI::Slot S, auto Impl>
struct Thunk;

template <ACAPI::Slot S, typename... Args, GSErrCode (*Impl)(Args...)>
struct Thunk<S, Impl> {
    static GSErrCode Call(Args... args)
    {
        if (GSErrCode injected = InterceptCall(S); injected != NoError)
            return injected;
        try {
            return Impl(args...);
        } catch (const std::bad_alloc&) {
            return APIERR_MEMFULL;
        } catch (...) {
            return APIERR_GENERAL;
        }
    }
};

class FunctionTable {
public:
    FunctionTable() { slots_.fill(nullptr); }
    void Set(ACAPI::Slot slot, void* address) { slots_[slot] = address; }
    void Clear(ACAPI::Slot slot) { slots_[slot] = nullptr; }
    void* const* Data() const { return slots_.data(); }
    static constexpr int Size() { return ACAPI::SlotCount; }

private:
    std::array<void*, ACAPI::SlotCount> slots_;
};

}  // namespace Sim

// Binds the implementation `Impl` to the slot of ACAPI_<Name>; the cast checks that its signature is the
// one the module was compiled against.
#define SIM_BIND(table, Name, Impl)                                                                        \
    (table).Set(ACAPI::Slot_##Name,                                                                        \
                reinterpret_cast<void*>(                                                                   \
                    &::Sim::Thunk<ACAPI::Slot_##Name, static_cast<decltype(&ACAPI_##Name)>(Impl)>::Call))
