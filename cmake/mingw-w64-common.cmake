# What both MinGW-w64 toolchains share; each names its target first
# (SETUP_MINGW_TRIPLET, SETUP_MANIFEST_ARCH, SETUP_WINE_ARCH). The triplet
# and the Wine are kept in the cache, so that a script given a build folder
# compiles for it and runs its programs under the right Wine. The posix
# thread model gives std::thread; winpthread is linked statically.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${SETUP_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SETUP_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${SETUP_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SETUP_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# The programs run under the Wine that matches them: a 64-bit program needs
# the 64-bit loader and a 64-bit prefix, whatever else the machine can run.
set(CMAKE_CROSSCOMPILING_EMULATOR
    /usr/bin/env SETUP_WINE_ARCH=${SETUP_WINE_ARCH}
    ${CMAKE_CURRENT_LIST_DIR}/../devscripts/wine-run.sh)
