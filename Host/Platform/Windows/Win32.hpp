// The Win32 headers the Windows platform layer uses, always in this order and before the interface's
// own headers (which take back the names that <windows.h> turns into macros).
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include <windows.h>

#include <shellapi.h>
#include <shlobj.h>
#include <urlmon.h>
#include <wininet.h>
