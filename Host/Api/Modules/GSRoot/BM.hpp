// Relocatable memory handles of the host's memory manager.
#pragma once

#include "Definitions.hpp"

HOSTLIB_API GSHandle BMAllocateHandle(Int32 size, Int32 initFlags, Int32 reserved);
HOSTLIB_API GSErrCode BMKillHandle(GSHandle* handle);
HOSTLIB_API Int32 BMGetHandleSize(GSHandle handle);
HOSTLIB_API GSErrCode BMReallocHandle(GSHandle handle, Int32 newSize, Int32 reallocFlags, Int32 reserved);
// Handles allocated and not yet killed; the simulator's tests use it to find leaks across the boundary.
HOSTLIB_API Int32 BMLiveHandleCount();

constexpr Int32 ALLOCATE_CLEAR = 1;
