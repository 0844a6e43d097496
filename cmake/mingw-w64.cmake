# Cross-building the Windows program on Linux with MinGW-w64:
#
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefisso x86_64-w64-mingw32)
# The POSIX thread model gives the whole standard library (std::thread and
# friends); the Win32 one is the fallback.
find_program(CMAKE_CXX_COMPILER NAMES ${mingw_prefisso}-g++-posix ${mingw_prefisso}-g++ REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${mingw_prefisso}-gcc-posix ${mingw_prefisso}-gcc)
find_program(CMAKE_RC_COMPILER NAMES ${mingw_prefisso}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefisso})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
