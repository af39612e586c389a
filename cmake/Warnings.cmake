# Every target of the project links kalmora_warnings to get the same warning set.
add_library(kalmora_warnings INTERFACE)
target_compile_options(kalmora_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow
  -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough)
if(KALMORA_WERROR)
  target_compile_options(kalmora_warnings INTERFACE -Werror)
endif()
