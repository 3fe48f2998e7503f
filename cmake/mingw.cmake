# What the mingw-w64 toolchains share (posix thread model); mingw-i686.cmake and
# mingw-x86_64.cmake set QUORVANE_MINGW_ARCH and include this file. The MinGW options
# of single targets are in cmake/Platform.cmake.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUORVANE_MINGW_ARCH})

set(CMAKE_C_COMPILER   ${QUORVANE_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  ${QUORVANE_MINGW_ARCH}-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything static: the program and its tests need no mingw DLL beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc")

# The programs built here run on this machine through Wine, when it is there: only the
# tests need it (tests/win32/CMakeLists.txt). A 64-bit program needs Wine's 64-bit
# loader: Debian's `wine` starts the 32-bit one whenever it is installed, runnable or not.
if(QUORVANE_MINGW_ARCH STREQUAL x86_64)
  find_program(WINE_PROGRAM NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
else()
  find_program(WINE_PROGRAM wine)
endif()
if(WINE_PROGRAM)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE_PROGRAM})
endif()

# Small and reproducible: the same sources give the same bytes whatever the folder and
# the time. Optimised for size (start-up is Windows' and Wine's work, not the code's);
# each function and datum in a section of its own so that the linker drops those never
# used; no build path (source and build folder both become ".", the build folder last
# as it lies inside the source) and no link time stamp; ASLR and DEP asked for
# explicitly, whatever the linker's default.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags for release builds")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG" CACHE STRING "Flags for release builds")
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections -ffile-prefix-map=${CMAKE_SOURCE_DIR}=. -ffile-prefix-map=${CMAKE_BINARY_DIR}=.")
set(CMAKE_CXX_FLAGS_INIT "${CMAKE_C_FLAGS_INIT}")
string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " -Wl,--gc-sections,--no-insert-timestamp,--dynamicbase,--nxcompat")
