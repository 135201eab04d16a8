# Every project target links mivra_warnings: warnings are errors everywhere.
add_library(mivra_warnings INTERFACE)
target_compile_options(mivra_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow=local -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    -Wimplicit-fallthrough)
