# Project code builds warning-free; third-party code keeps its own flags.
add_library(quorvane_warnings INTERFACE)
if(MSVC)
  target_compile_options(quorvane_warnings INTERFACE /W4 /WX /utf-8)
else()
  target_compile_options(quorvane_warnings INTERFACE -Wall -Wextra -Werror)
endif()
