# Our own targets compile with warnings on and treated as errors; third-party headers come in as system
# includes and are not affected.
function(corvana_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Woverloaded-virtual -Werror)
endfunction()

# Code that ends up inside the add-on module: nothing is visible outside it but what is marked.
function(corvana_module_code target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
endfunction()
