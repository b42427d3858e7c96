// The module side of the binding, linked into every add-on as the host's static library is: the two
// exported functions, and guards that keep the entry points from running before the host's table arrived.
#include "ACAPI_Registration.h"

#include <cstring>

API_AddonType CheckEnvironment(API_EnvirParams* envir);
GSErrCode RegisterInterface();
GSErrCode Initialize();
GSErrCode FreeData();

namespace {

API_AddonType GuardedCheckEnvironment(API_EnvirParams* envir)
{
    return ACAPI::HasImportedTable() ? CheckEnvironment(envir) : APIAddon_Unknown;
}

GSErrCode GuardedRegisterInterface() { return ACAPI::HasImportedTable() ? RegisterInterface() : APIERR_GENERAL; }
GSErrCode GuardedInitialize() { return ACAPI::HasImportedTable() ? Initialize() : APIERR_GENERAL; }
GSErrCode GuardedFreeData() { return ACAPI::HasImportedTable() ? FreeData() : APIERR_GENERAL; }

}  // namespace

extern "C" HOSTLIB_API GSErrCode GetExportedFuncAddrs(API_ExportedFuncTable* table, Int32 tableSize)
{
    if (table == nullptr || tableSize < static_cast<Int32>(sizeof(API_ExportedFuncTable)))
        return APIERR_BADPARS;
    std::memset(static_cast<void*>(table), 0, sizeof(API_ExportedFuncTable));
    table->header = API_ExportTableHeader;
    table->checkEnvironment = &GuardedCheckEnvironment;
    table->registerInterface = &GuardedRegisterInterface;
    table->initialize = &GuardedInitialize;
    table->freeData = &GuardedFreeData;
    table->interfaceVersion = API_InterfaceVersion;
    return NoError;
}

extern "C" HOSTLIB_API GSErrCode SetImportedFuncAddrs(void* const* slots, Int32 slotCount)
{
    if (slots == nullptr || slotCount != ACAPI::SlotCount)
        return APIERR_BADPARS;
    ACAPI::Imported() = ACAPI::ImportedTable{slots, slotCount};
    return NoError;
}
