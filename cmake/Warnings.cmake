# Every project target links mivra_warnings: warnings are errors everywhere.
add_library(mivra_warnings INTERFACE)
target_compile_options(mivra_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wnon-virtual-dtor -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
# clang (the fuzz build) knows no "=local"; its -Wshadow is the nearest.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(mivra_warnings INTERFACE -Wshadow=local)
else()
    target_compile_options(mivra_warnings INTERFACE -Wshadow)
endif()
# g++ 12 reports false -Wrestrict hits inside std::string's operator+ at -O3 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(mivra_warnings INTERFACE -Wno-restrict)
endif()
