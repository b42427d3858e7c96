// The host's table of imported functions. Each slot holds a thunk that counts the call, applies fault
// injection by the function's name, keeps exceptions inside the host, and then runs the family's
// implementation.
#pragma once

#include "ACAPI_Binding.hpp"

#include <array>
#include <new>
#include <type_traits>

namespace Sim {

GSErrCode InterceptCall(ACAPI::Slot slot);  // defined by Host

template <ACAPI::Slot S, auto Impl>
struct Thunk;

// Functions that answer an error code get the injected code; the few that answer something else (a bool,
// a resource module, nothing) then answer what they answer for nothing found, and do nothing.
template <ACAPI::Slot S, typename R, typename... Args, R (*Impl)(Args...)>
struct Thunk<S, Impl> {
    static R Call(Args... args)
    {
        constexpr bool answersCode = std::is_same_v<R, GSErrCode>;
        if (GSErrCode injected = InterceptCall(S); injected != NoError) {
            if constexpr (answersCode)
                return injected;
            else
                return R();
        }
        try {
            return Impl(args...);
        } catch (const std::bad_alloc&) {
            if constexpr (answersCode)
                return APIERR_MEMFULL;
            else
                return R();
        } catch (...) {
            if constexpr (answersCode)
                return APIERR_GENERAL;
            else
                return R();
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
