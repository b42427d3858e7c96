# Our own targets compile with warnings on and treated as errors; third-party headers come in as system
# includes and are not affected.
function(corvana_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Werror)
  # The kit's headers declare a copy assignment without a copy constructor (API_ElemType), which clang's
  # -Wextra refuses; our headers keep the kit's declarations as they are.
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${target} PRIVATE -Wno-deprecated-copy)
  endif()
endfunction()

# Code that ends up inside the add-on module: nothing is visible outside it but what is marked.
function(corvana_module_code target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
