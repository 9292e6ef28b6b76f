# Cross-builds the tool for 64-bit Windows with mingw-w64, and runs what it builds under Wine.
#
#   cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DVANTREL_WITH_WINDOW=OFF
#
# The posix-thread compilers: the win32-thread ones have no std::mutex and cannot build
# GoogleTest. Linking statically leaves the programs importing only the system's own DLLs, so
# Wine needs nothing from the cross compiler's folders.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_vantrel_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_vantrel_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_vantrel_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_vantrel_mingw}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_vantrel_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

find_program(VANTREL_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VANTREL_WINE})
