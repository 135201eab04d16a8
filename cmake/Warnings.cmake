# Every project target links mivra_warnings: warnings are errors everywhere.
add_library(mivra_warnings INTERFACE)
target_compile_options(mivra_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wshadow=local -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual
    -Wimplicit-fallthrough)
# g++ 12 reports false -Wrestrict hits inside std::string's operator+ at -O3 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(mivra_warnings INTERFACE -Wno-restrict)
endif()
