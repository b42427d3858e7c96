// How an add-on reaches the host: every ACAPI_ function is a call through a slot of the table that the
// host handed over with SetImportedFuncAddrs. An empty slot (or no table yet) answers APIERR_NOTSUPPORTED.
#pragma once

#include "ACAPI_Slots.h"
#include "APIdefs_ErrorCodes.h"

namespace ACAPI {

using FunctionAddress = void*;

struct ImportedTable {
    FunctionAddress const* slots = nullptr;
    Int32 count = 0;
};

// One table per module: the add-on's code is compiled with hidden visibility, so each module keeps its own.
inline ImportedTable& Imported()
{
    static ImportedTable table;
    return table;
}

inline bool HasImportedTable() { return Imported().slots != nullptr; }

inline FunctionAddress SlotAddress(Slot slot)
{
    const ImportedTable& table = Imported();
    return (table.slots != nullptr && slot < table.count) ? table.slots[slot] : nullptr;
}

}  // namespace ACAPI

// Declares ACAPI_<Name> with its parameter list; the function-pointer type ACAPI_<Name>_Fn is what the host
// stores in the slot, so host and module agree on one signature.
#define ACAPI_FUNCTION(Name, Params, Args)                                                                 \
    using ACAPI_##Name##_Fn = GSErrCode(*) Params;                                                         \
    inline GSErrCode ACAPI_##Name Params                                                                   \
    {                                                                                                      \
        auto fn = reinterpret_cast<ACAPI_##Name##_Fn>(ACAPI::SlotAddress(ACAPI::Slot_##Name));             \
        return fn != nullptr ? fn Args : APIERR_NOTSUPPORTED;                                              \
    }
