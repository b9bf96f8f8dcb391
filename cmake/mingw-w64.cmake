# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the POSIX thread variant).
# Executables are linked statically (C++ and GCC run-time libraries, winpthreads), so that they
# need nothing but Windows itself.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VETRIN_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VETRIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VETRIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VETRIN_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VETRIN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
