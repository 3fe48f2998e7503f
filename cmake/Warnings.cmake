# Project code builds warning-free; third-party code keeps its own flags. Warnings stop
# the build only where CMAKE_COMPILE_WARNING_AS_ERROR is on, as in the presets (CI):
# another compiler version may warn about what this one does not.
add_library(quorvane_warnings INTERFACE)
if(MSVC)
  target_compile_options(quorvane_warnings INTERFACE /W4)
else()
  target_compile_options(quorvane_warnings INTERFACE -Wall -Wextra)
endif()
