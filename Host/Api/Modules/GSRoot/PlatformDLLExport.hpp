// What the host's libraries mark their exported classes and functions with.
#pragma once

#if defined(_MSC_VER)
#define PLATFORM_DLL_EXPORT __declspec(dllexport)
#define PLATFORM_DLL_IMPORT __declspec(dllimport)
#else
// One shared object implements every class library here; default visibility both ways.
#define PLATFORM_DLL_EXPORT __attribute__((visibility("default")))
#define PLATFORM_DLL_IMPORT __attribute__((visibility("default")))
#endif
