# Cross-compiles the 32-bit Windows programs with MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SETUP_MINGW_TRIPLET i686-w64-mingw32 CACHE INTERNAL "The cross compilers' prefix")
set(SETUP_MANIFEST_ARCH x86)
set(SETUP_WINE_ARCH win32 CACHE INTERNAL "The Wine that runs this build's programs")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
