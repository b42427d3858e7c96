# The add-on for the real host, built against the Archicad 27 development kit as the official add-on
# template builds one: an .apx on Windows, a .bundle on macOS. It compiles Sources/ and the platform layer
# of the system (Host/Platform/Windows or Host/Platform/Posix), links the kit's ACAP_STAT and module
# libraries, and compiles Resources/ with the kit's own Tools/CompileResources.py.
#
#   cmake -S . -B build-ac27 -DAC_API_DEVKIT_DIR=<kit>/Support -DAC_VERSION=27
#
# Nothing of Host/Sim, Host/Api, Tools/ or Tests/ takes part. docs/real-host.md says what of this was
# checked and what was not.

# What must be settled before project(): the kit, the system, and the settings that the first compiler
# check already uses.
macro(corvana_kit_prepare)
  if(NOT (CMAKE_HOST_WIN32 OR CMAKE_HOST_APPLE))
    message(FATAL_ERROR "The build for the real host needs Windows or macOS. Here, configure without "
                        "AC_API_DEVKIT_DIR (the simulated host) and check the sources and resources against "
                        "the kit with scripts/check-devkit.sh.")
  endif()
  if(NOT DEFINED AC_VERSION)
    message(FATAL_ERROR "AC_VERSION is not set: configure with -DAC_VERSION=27")
  endif()
  if(NOT AC_VERSION EQUAL 27)
    message(FATAL_ERROR "The add-on is written for Archicad 27; AC_VERSION is ${AC_VERSION}")
  endif()
  get_filename_component(AC_API_DEVKIT_DIR "${AC_API_DEVKIT_DIR}" ABSOLUTE)
  get_filename_component(kitFolderName "${AC_API_DEVKIT_DIR}" NAME)
  if(NOT kitFolderName STREQUAL "Support")
    message(FATAL_ERROR "AC_API_DEVKIT_DIR must name the kit's Support folder, not ${AC_API_DEVKIT_DIR}")
  endif()
  foreach(folder Inc Lib Modules Tools)
    if(NOT IS_DIRECTORY "${AC_API_DEVKIT_DIR}/${folder}")
      message(FATAL_ERROR "The kit at ${AC_API_DEVKIT_DIR} has no ${folder} folder")
    endif()
  endforeach()
  if(CMAKE_HOST_APPLE AND NOT IS_DIRECTORY "${AC_API_DEVKIT_DIR}/Frameworks")
    message(FATAL_ERROR "The kit at ${AC_API_DEVKIT_DIR} has no Frameworks folder (is it the Windows kit?)")
  endif()

  if(CMAKE_HOST_WIN32)
    # The host's libraries use the release run-time library in every configuration.
    set(CMAKE_MSVC_RUNTIME_LIBRARY MultiThreadedDLL CACHE STRING "" FORCE)
  else()
    set(CMAKE_OSX_ARCHITECTURES "x86_64;arm64" CACHE STRING "" FORCE)
    set(CMAKE_OSX_DEPLOYMENT_TARGET 10.15 CACHE STRING "The oldest macOS that Archicad 27 runs on")
  endif()
endmacro()

function(corvana_xml_text out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(corvana_kit_add_on)
  set(kit "${AC_API_DEVKIT_DIR}")
  set(name "${CORVANA_CONFIG_NAME}")
  set(language "${CORVANA_CONFIG_LANGUAGE}")
  set(target CorvanaAddOn)

  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  find_package(nlohmann_json 3.11.2 EXACT REQUIRED)

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Sources/*.cpp)
  if(WIN32)
    set(platformFolder ${CMAKE_SOURCE_DIR}/Host/Platform/Windows)
  else()
    set(platformFolder ${CMAKE_SOURCE_DIR}/Host/Platform/Posix)
  endif()
  file(GLOB platformSources CONFIGURE_DEPENDS ${platformFolder}/*.cpp)
  if(NOT platformSources)
    message(FATAL_ERROR "No platform layer for this system: ${platformFolder} holds no sources")
  endif()
  # What both systems' layers do alike (address escaping, header lines, error texts) is one copy.
  set(platformCommon ${CMAKE_SOURCE_DIR}/Host/Platform/Common)
  file(GLOB platformCommonSources CONFIGURE_DEPENDS ${platformCommon}/*.cpp)
  list(APPEND platformSources ${platformCommonSources})

  # Resources: the kit's script preprocesses every .grc of R<language> and RFIX, runs ResConv on it and
  # compiles the native resources (RFIX.win/*.rc2 with rc on Windows; on macOS it fills the bundle).
  set(objects ${CMAKE_BINARY_DIR}/ResourceObjects)
  set(stamp ${objects}/Resources.stamp)
  file(GLOB resourceInputs CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/Resources/R${language}/*.grc ${CMAKE_SOURCE_DIR}/Resources/RFIX/*.grc
    ${CMAKE_SOURCE_DIR}/Resources/RFIX/Images/* ${CMAKE_SOURCE_DIR}/Resources/RFIX.win/*.rc2
    ${CMAKE_SOURCE_DIR}/Resources/RFIX.mac/*.plist)
  if(WIN32)
    set(resourceResult ${objects}/${name}.res)
  else()
    set(resourceResult ${CMAKE_BINARY_DIR}/$<CONFIG>/${name}.bundle/Contents/Resources)
  endif()
  set(copyPkgInfo)
  if(APPLE)
    set(copyPkgInfo COMMAND ${CMAKE_COMMAND} -E copy ${kit}/Inc/PkgInfo
                    ${CMAKE_BINARY_DIR}/$<CONFIG>/${name}.bundle/Contents/PkgInfo)
  endif()
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${objects}
    # The script takes the kit's root folder; the sources folder is on the preprocessor's include path.
    COMMAND ${Python3_EXECUTABLE} ${kit}/Tools/CompileResources.py ${language} ${kit}/.. ${CMAKE_SOURCE_DIR}/Sources
            ${CMAKE_SOURCE_DIR}/Resources ${objects} ${resourceResult}
    ${copyPkgInfo}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${resourceInputs} ${CMAKE_SOURCE_DIR}/Resources/ResourceIds.hpp
    COMMENT "Compiling resources with the kit's CompileResources.py"
    VERBATIM)

  if(WIN32)
    add_library(${target} SHARED ${sources} ${platformSources} ${stamp})
  else()
    add_library(${target} MODULE ${sources} ${platformSources} ${stamp})
  endif()
  target_compile_features(${target} PRIVATE cxx_std_17)
  target_compile_definitions(${target} PRIVATE ACExtension)
  target_include_directories(${target} SYSTEM PRIVATE ${kit}/Inc)
  file(GLOB moduleFolders LIST_DIRECTORIES true ${kit}/Modules/*)
  target_include_directories(${target} SYSTEM PRIVATE ${moduleFolders})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/Sources ${CMAKE_SOURCE_DIR}/Resources ${platformFolder}
                                                    ${platformCommon})
  # The kit's headers expect GSRoot before anything else, as the template's precompiled header has it.
  target_precompile_headers(${target} PRIVATE <cstring> <GSRoot.hpp>)
  target_link_libraries(${target} PRIVATE nlohmann_json::nlohmann_json)

  if(WIN32)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE _ITERATOR_DEBUG_LEVEL=0 _CRT_SECURE_NO_WARNINGS)
    target_compile_options(${target} PRIVATE /W4 /WX /Zc:wchar_t- /wd4499 /EHsc)
    file(GLOB moduleLibraries ${kit}/Modules/*/Win/*.lib ${kit}/Modules/*/Win/*.LIB)
    list(REMOVE_DUPLICATES moduleLibraries)
    target_link_libraries(${target} PRIVATE ${kit}/Lib/ACAP_STAT.lib ${moduleLibraries}
                                            wininet urlmon shell32 user32)
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME ${name} SUFFIX .apx
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
      LINK_DEPENDS ${stamp})
    # The host finds the add-on by these two functions; the kit's ACAP_STAT library defines them.
    target_link_options(${target} PRIVATE ${resourceResult}
      /export:GetExportedFuncAddrs,@1 /export:SetImportedFuncAddrs,@2)

    string(TIMESTAMP year "${CORVANA_CONFIG_COPYRIGHT_YEAR}")
    string(REPLACE "." "," versionCommas "${CORVANA_CONFIG_VERSION3}")
    string(REPLACE "\"" "\"\"" rcDescription "${CORVANA_CONFIG_DESCRIPTION}")
    string(REPLACE "\"" "\"\"" rcCopyrightName "${CORVANA_CONFIG_COPYRIGHT_NAME}")
    set(versionInfo ${CMAKE_BINARY_DIR}/VersionInfo.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/VersionInfo.rc.in ${versionInfo} @ONLY)
    target_sources(${target} PRIVATE ${versionInfo})
  else()
    find_package(CURL REQUIRED)
    target_compile_definitions(${target} PRIVATE macintosh=1)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror -fvisibility=hidden -fno-constant-cfstrings
      -Wno-multichar -Wno-ctor-dtor-privacy -Wno-invalid-offsetof -Wno-ignored-qualifiers -Wno-reorder
      -Wno-overloaded-virtual -Wno-unused-parameter -Wno-unused-value -Wno-unused-private-field
      -Wno-deprecated -Wno-unknown-pragmas -Wno-missing-braces -Wno-missing-field-initializers
      -Wno-non-c-typedef-for-linkage -Wno-uninitialized-const-reference -Wno-shorten-64-to-32
      -Wno-sign-compare -Wno-switch)
    file(GLOB frameworks LIST_DIRECTORIES true ${kit}/Frameworks/*.framework ${kit}/Frameworks/*.dylib)
    find_library(COCOA_FRAMEWORK Cocoa REQUIRED)
    target_link_libraries(${target} PRIVATE ${kit}/Lib/libACAP_STAT.a ${frameworks} ${COCOA_FRAMEWORK} CURL::libcurl)

    string(TIMESTAMP year "${CORVANA_CONFIG_COPYRIGHT_YEAR}")
    corvana_xml_text(xmlName "${name}")
    corvana_xml_text(xmlCopyrightName "${CORVANA_CONFIG_COPYRIGHT_NAME}")
    string(TOLOWER "${name}" identifierName)
    string(REGEX REPLACE "[^a-z0-9.-]" "-" identifierName "${identifierName}")
    set(infoPlist ${CMAKE_BINARY_DIR}/Info.plist)
    configure_file(${CMAKE_SOURCE_DIR}/Resources/RFIX.mac/Info.plist ${infoPlist} @ONLY)
    set_target_properties(${target} PROPERTIES
      OUTPUT_NAME ${name} BUNDLE TRUE
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/$<CONFIG>
      MACOSX_BUNDLE_INFO_PLIST ${infoPlist})
  endif()
endfunction()
