# Cross-compiles the Windows programs on Debian with mingw-w64 (64-bit, POSIX thread model) and
# runs what the build produces, such as the test programs, through wine:
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The wide (W) Windows functions and the wide entry points (wmain, wWinMain) everywhere; the
# C and C++ runtimes and the thread library linked in, so that every .exe runs on its own.
set(CMAKE_C_FLAGS_INIT "-municode -D_UNICODE")
set(CMAKE_CXX_FLAGS_INIT "-municode -D_UNICODE")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# The compiler checks' programs have a plain main, which -municode does not link.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

find_program(DERADU_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(DERADU_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DERADU_WINE})
endif()
