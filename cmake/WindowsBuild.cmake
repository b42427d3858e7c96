# What the Windows build (cmake/mingw-w64.cmake) takes from outside mingw-w64: the JSON library and
# GoogleTest, which Debian ships as headers and sources of the build machine, and mingw-w64's own
# run-time libraries, which the programs need beside them as a Windows installation would have them.

# nlohmann JSON is header-only. Only its own folder goes on the include path: the build machine's
# /usr/include would put Linux's C headers before mingw-w64's.
find_path(CORVANA_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT CORVANA_NLOHMANN_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp is missing (apt-get install nlohmann-json3-dev)")
endif()
file(STRINGS ${CORVANA_NLOHMANN_INCLUDE}/nlohmann/detail/abi_macros.hpp jsonVersionLines
     REGEX "#define NLOHMANN_JSON_VERSION_(MAJOR|MINOR|PATCH) ")
set(jsonVersion)
foreach(line ${jsonVersionLines})
  string(REGEX MATCH "VERSION_[A-Z]+ +([0-9]+)" ignored "${line}")
  list(APPEND jsonVersion ${CMAKE_MATCH_1})
endforeach()
list(JOIN jsonVersion "." jsonVersion)
if(NOT jsonVersion STREQUAL "3.11.2")
  message(FATAL_ERROR "nlohmann JSON ${jsonVersion} found, 3.11.2 required")
endif()
set(jsonInclude ${CMAKE_BINARY_DIR}/third-party/include)
file(MAKE_DIRECTORY ${jsonInclude})
file(CREATE_LINK ${CORVANA_NLOHMANN_INCLUDE}/nlohmann ${jsonInclude}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${jsonInclude})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

# Every program beside the host's library and the module (AddOn/, as on Linux): Windows looks for a
# program's libraries beside the program, and the command-line host for the module beside the host's
# library.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/AddOn)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
                OUTPUT_VARIABLE compilerLibrary OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(compilerFolder "${compilerLibrary}" DIRECTORY)
foreach(library libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  string(MAKE_C_IDENTIFIER ${library} variable)
  find_file(CORVANA_RUNTIME_${variable} ${library} PATHS ${compilerFolder} /usr/${CORVANA_MINGW_PREFIX}/lib
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT CORVANA_RUNTIME_${variable})
    message(FATAL_ERROR "mingw-w64's ${library} is not to be found")
  endif()
  file(COPY ${CORVANA_RUNTIME_${variable}} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
endforeach()

# Paths of the build machine that the programs are given at compile time (the sources, the test folders,
# the programs themselves): Wine shows the Linux root as drive Z:, so they are written with it and name the
# same files from whatever folder a program runs in.
if(CMAKE_HOST_UNIX)
  set(CORVANA_PATH_PREFIX "Z:")
endif()

# GoogleTest from Debian's sources, under the names its package's targets have on Linux.
function(corvana_windows_googletest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()
