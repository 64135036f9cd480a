# Cross build for 64-bit Windows with Debian's MinGW-w64 (the posix threads
# flavour, which std::thread and std::mutex need). Everything is linked
# statically so the programs run under Wine without any DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOLM_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOLM_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLM_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLM_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOLM_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# find_package picks the DLL's import library unless told otherwise.
set(ZLIB_USE_STATIC_LIBS ON)

# ctest starts the test programs through Wine (tools/test-windows.sh sets up
# the throw-away prefix it runs in).
find_program(TOLM_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(TOLM_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TOLM_WINE})
endif()
