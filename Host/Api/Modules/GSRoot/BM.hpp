// Relocatable memory blocks of the host's memory manager: a handle points at the block's address.
#pragma once

#include "Definitions.hpp"

#define ALLOCATE_CLEAR 0x0002    // the new block is zeroed
#define REALLOC_CLEAR ALLOCATE_CLEAR    // the grown part is zeroed
#define REALLOC_FULLCLEAR 0x0008

// Null when the block cannot be had.
GSHandle GSROOT_DLL_EXPORT STDCALL BMAllocateHandle(GSSize nBytes, GSFlags allocFlags, short actionCode);
// Sets *h to null; nothing happens for a null handle.
void GSROOT_DLL_EXPORT STDCALL BMKillHandle(GSHandle* h);
GSSize GSROOT_DLL_EXPORT STDCALL BMGetHandleSize(GSConstHandle h);
// The handle itself, or null when the block cannot grow (it is then unchanged).
GSHandle GSROOT_DLL_EXPORT STDCALL BMReallocHandle(GSHandle h, GSSize nBytes, GSFlags reallocFlags, short actionCode);

inline GSHandle BMhAll(GSSize n) { return BMAllocateHandle(n, 0, 0); }
inline GSHandle BMhAllClear(GSSize n) { return BMAllocateHandle(n, ALLOCATE_CLEAR, 0); }
inline GSSize BMhGetSize(GSConstHandle h) { return BMGetHandleSize(h); }
inline void BMhKill(GSHandle* ph) { BMKillHandle(ph); }
