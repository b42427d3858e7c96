# The whole project for Windows from Linux: the module, the simulated host and its tests, and
# corvana-host.exe, built with Debian's mingw-w64 and run under Wine (ctest runs each test program through
# CMAKE_CROSSCOMPILING_EMULATOR).
#
#   cmake -G Ninja -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#
# scripts/check-windows.sh configures, builds and tests it this way.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model: GoogleTest and the host's threads need std::thread and std::mutex.
set(CORVANA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CORVANA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CORVANA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${CORVANA_MINGW_PREFIX}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${CORVANA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian's wine64 package keeps its loader out of PATH.
find_program(CORVANA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT CORVANA_WINE)
  message(FATAL_ERROR "Wine is missing: the Windows build runs its tests under Wine (apt-get install wine64)")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVANA_WINE})
