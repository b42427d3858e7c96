#include "CompositeDefinitions.hpp"

#include "ACAPinc.h"

#include <algorithm>

namespace QRV {
namespace {

template <typename Entry>
Entry** AllocateEntries(USize count)
{
    return reinterpret_cast<Entry**>(BMAllocateHandle(static_cast<Int32>(count * sizeof(Entry)), ALLOCATE_CLEAR, 0));
}

template <typename Entry>
USize EntriesIn(Entry** handle)
{
    GSHandle raw = reinterpret_cast<GSHandle>(handle);
    if (raw == nullptr || *raw == nullptr)
        return 0;
    return static_cast<USize>(BMGetHandleSize(raw)) / static_cast<USize>(sizeof(Entry));
}

// The host's release call, and our own where the host could not release them.
void DisposeDefinitions(API_AttributeDefExt& defs)
{
    if (defs.cwall_compItems == nullptr && defs.cwall_compLItems == nullptr)
        return;
    if (ACAPI_DisposeAttrDefsHdlsExt(&defs) != NoError) {
        for (GSHandle handle : {reinterpret_cast<GSHandle>(defs.cwall_compItems),
                                reinterpret_cast<GSHandle>(defs.cwall_compLItems)})
            if (handle != nullptr)
                BMKillHandle(&handle);
    }
    defs = API_AttributeDefExt{};
}

}  // namespace

CompositeDefinitions::~CompositeDefinitions() { Release(); }

bool CompositeDefinitions::Allocate(USize skinCount)
{
    Release();
    defs_.cwall_compItems = AllocateEntries<API_CWallComponent>(skinCount);
    defs_.cwall_compLItems = AllocateEntries<API_CWallLineComponent>(skinCount + 1);
    if (defs_.cwall_compItems == nullptr || defs_.cwall_compLItems == nullptr) {
        Release();
        return false;
    }
    skinCount_ = skinCount;
    return true;
}

void CompositeDefinitions::Release()
{
    DisposeDefinitions(defs_);
    skinCount_ = 0;
}

ExistingCompositeDefinitions::ExistingCompositeDefinitions(API_AttributeIndex composite, short skinCount)
{
    err_ = ACAPI_Attribute_GetDefExt(API_CompWallID, composite, &defs_);
    if (err_ != NoError)
        return;
    const USize claimed = skinCount > 0 ? static_cast<USize>(skinCount) : 0;
    skinCount_ = std::min(claimed, EntriesIn(defs_.cwall_compItems));
    lineCount_ = std::min(claimed + 1, EntriesIn(defs_.cwall_compLItems));
}

ExistingCompositeDefinitions::~ExistingCompositeDefinitions() { DisposeDefinitions(defs_); }

}  // namespace QRV
