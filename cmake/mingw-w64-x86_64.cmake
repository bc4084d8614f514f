# Cross-compiling socketpile-cli for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, for std::thread). Used by scripts/windows-cli:
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DSOCKETPILE_BUILD_GUI=OFF -DSOCKETPILE_CLI_PDF=OFF -DSOCKETPILE_XLSX=OFF ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SOCKETPILE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SOCKETPILE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SOCKETPILE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SOCKETPILE_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW tree only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${SOCKETPILE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# nlohmann/json is headers only and has no MinGW package on Debian: a small package file beside
# this one offers the build machine's headers, and nothing else of /usr/include.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-packages/nlohmann_json CACHE PATH "" FORCE)

# GCC 12 sees overlapping copies that cannot happen in libstdc++'s own string code at -O2 (a known
# false alarm of that version); the build machine's compiler is not asked the same.
set(CMAKE_CXX_FLAGS_INIT "-Wno-restrict")

# One .exe that runs on a bare Windows: the C++ runtime, libgcc and winpthread linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
