# Every form of the version is made from the project's major, minor and revision
# (CMake's "patch"): the program's "v<major>.<minor>.<revision>", the file version
# <major>.<minor>.0.<revision> and its strings, with the minor in two digits and the
# revision in four.
set(QUORVANE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(QUORVANE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(QUORVANE_VERSION_REVISION ${PROJECT_VERSION_PATCH})

function(quorvane_zero_pad out value width)
  string(LENGTH "${value}" length)
  math(EXPR zeros "${width} - ${length}")
  string(REPEAT "0" ${zeros} padding)
  set(${out} "${padding}${value}" PARENT_SCOPE)
endfunction()
quorvane_zero_pad(minor2 ${QUORVANE_VERSION_MINOR} 2)
quorvane_zero_pad(revision4 ${QUORVANE_VERSION_REVISION} 4)
set(QUORVANE_VERSION_STRING "${QUORVANE_VERSION_MAJOR}.${minor2}.${revision4}")
set(QUORVANE_VERSION_DOTTED "${QUORVANE_VERSION_MAJOR}.${QUORVANE_VERSION_MINOR}.0.${QUORVANE_VERSION_REVISION}")

# The manifest names the program's own processor: Windows refuses one that names another.
set(QUORVANE_MANIFEST_ARCH x86)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUORVANE_MANIFEST_ARCH amd64)
endif()

configure_file(${PROJECT_SOURCE_DIR}/common/Version.h.in ${PROJECT_BINARY_DIR}/generated/Version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/quorvane.manifest.in ${PROJECT_BINARY_DIR}/generated/quorvane.manifest @ONLY)
