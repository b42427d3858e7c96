// The binding between an add-on and the host, known to the binding library (ACAPBinding.cpp) and to the
// simulated host, never to the add-on's own code: every ACAPI_ function is a call through a slot of the
// table that the host handed over with SetImportedFuncAddrs. An empty slot (or no table yet) answers
// APIERR_NOTSUPPORTED.
#pragma once

#include "ACAPI_Slots.h"
#include "ACAPinc.h"

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

// The module binding. GetExportedFuncAddrs fills this 120-byte table; the host reads the four entry points
// and the interface version from it.
constexpr UInt32 API_ExportTableHeader = 0x41435846;  // 'ACXF'
constexpr Int32 API_InterfaceVersion = 27000;

struct API_ExportedFuncTable {
    UInt32 header;
    Int32 interfaceVersion;
    API_AddonType (*checkEnvironment)(API_EnvirParams* envir);
    GSErrCode (*registerInterface)();
    GSErrCode (*initialize)();
    GSErrCode (*freeData)();
    char reserved[120 - 8 - 4 * sizeof(void*)];
};
static_assert(sizeof(API_ExportedFuncTable) == 120, "the export table is 120 bytes");

using GetExportedFuncAddrsProc = GSErrCode(API_ExportedFuncTable* table, Int32 tableSize);
using SetImportedFuncAddrsProc = GSErrCode(void* const* slots, Int32 slotCount);
