# What belongs to one platform or one compiler, in one place: the Windows floor for every
# Windows build, then one block for MinGW and one for MSVC. The Windows programs take
# their share through quorvane_windows_program() below. The MinGW flags that every target
# gets (static, small, reproducible) are set with the compiler, in cmake/mingw.cmake.

if(WIN32)
  # Windows 7 is the oldest Windows the program runs on: the headers hide whatever is
  # newer, so a direct call to it does not compile. Newer functions are looked up when
  # the program runs.
  add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601)
endif()

# The link options for each kind of Windows program (see quorvane_windows_program).
if(MINGW)
  # ---- MinGW ----
  set(QUORVANE_WWINMAIN_LINK_OPTIONS -municode)
  set(QUORVANE_RELEASED_LINK_OPTIONS -s
      -Wl,--major-subsystem-version,6,--minor-subsystem-version,1,--major-os-version,6,--minor-os-version,1)
elseif(MSVC)
  # ---- MSVC ----
  # Sources are UTF-8; standard C++ only. The standard C functions are used as they are,
  # not MSVC's _s variants, so their deprecation warnings are off. The linker finds
  # wWinMain itself, and links no symbols in.
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:/utf-8>" "$<$<COMPILE_LANGUAGE:CXX>:/permissive->")
  add_compile_definitions(_CRT_SECURE_NO_WARNINGS)
  set(QUORVANE_MANIFEST_LINK_OPTIONS /MANIFEST:NO)
  set(QUORVANE_RELEASED_LINK_OPTIONS /SUBSYSTEM:WINDOWS,6.01)
endif()

# quorvane_windows_program(<target> [WWINMAIN] [MANIFEST] [RELEASED])
#   WWINMAIN  the program starts at wWinMain
#   MANIFEST  its resources hold a manifest (app/quorvane.manifest.in): the linker adds none
#   RELEASED  quorvane.exe itself: Windows 7 (6.1) the oldest Windows its header asks for,
#             the oldest its imports allow (scripts/check-exe.py); no symbols
function(quorvane_windows_program target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "WWINMAIN;MANIFEST;RELEASED" "" "")
  foreach(kind WWINMAIN MANIFEST RELEASED)
    if(arg_${kind} AND QUORVANE_${kind}_LINK_OPTIONS)
      target_link_options(${target} PRIVATE ${QUORVANE_${kind}_LINK_OPTIONS})
    endif()
  endforeach()
endfunction()
