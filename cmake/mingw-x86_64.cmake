# Cross-compiles the same sources as a 64-bit Windows program: only for running the
# Windows tests on a machine that cannot run 32-bit programs (scripts/windows-preset.sh).
set(QUORVANE_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
