# Cross-compiles the 64-bit Windows programs with MinGW-w64, for machines
# without a 32-bit subsystem.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SETUP_MINGW_TRIPLET x86_64-w64-mingw32 CACHE INTERNAL "The cross compilers' prefix")
set(SETUP_MANIFEST_ARCH amd64)
set(SETUP_WINE_ARCH win64 CACHE INTERNAL "The Wine that runs this build's programs")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
