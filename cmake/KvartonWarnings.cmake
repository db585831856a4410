# Warnings are errors-to-be: every target of ours gets them through this interface library.
add_library(kvarton_warnings INTERFACE)
if(MSVC)
  target_compile_options(kvarton_warnings INTERFACE /W4 /permissive- /utf-8)
else()
  target_compile_options(kvarton_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
endif()
