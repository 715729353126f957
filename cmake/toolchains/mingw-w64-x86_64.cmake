# 64-bit Windows with Debian's MinGW-w64 (apt-get install g++-mingw-w64-x86-64-posix).
# The posix-threads flavour, because the win32 one has no std::thread. Builds core/,
# tools/ and the core tests (the Qt application is built on Windows itself, see README):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELMORA_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLET}-windres)

# Headers, libraries and packages of the target only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Self-contained programs: no libstdc++, libgcc or winpthread DLLs to ship or to find.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the programs under wine when it is installed.
find_program(VELMORA_WINE wine)
if(VELMORA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VELMORA_WINE})
endif()
