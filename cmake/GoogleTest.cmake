# GoogleTest is built from sources, with the same compiler and flags as the code under
# test: on Debian those its googletest package installs; elsewhere (Windows) a checkout
# given as -DGOOGLETEST_SOURCE_DIR=<folder>.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${GOOGLETEST_SOURCE_DIR}: run scripts/setup.sh (Debian), "
                      "or pass -DGOOGLETEST_SOURCE_DIR=<a googletest checkout>")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# With MSVC, GoogleTest is built with the project's C runtime, CMAKE_MSVC_RUNTIME_LIBRARY
# (static in the windows preset; CMake's default, the DLL, otherwise): its own option says
# the same.
if(CMAKE_MSVC_RUNTIME_LIBRARY AND NOT CMAKE_MSVC_RUNTIME_LIBRARY MATCHES "DLL")
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
else()
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
endif()
add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its warnings are not this project's to fix, whatever CMAKE_COMPILE_WARNING_AS_ERROR says.
set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
