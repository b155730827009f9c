# The one file writer of the exports and the window: plain C++20 on the system's calls,
# POSIX or Win32, so that it builds and is tested without Qt on either.
if(WIN32)
  set(quorvel_output_system output_system_win32.cpp output_target_win32.cpp)
else()
  set(quorvel_output_system output_system_posix.cpp output_target_posix.cpp)
endif()
list(TRANSFORM quorvel_output_system PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(quorvel_output STATIC
  ${CMAKE_CURRENT_LIST_DIR}/export_output.cpp ${CMAKE_CURRENT_LIST_DIR}/include/app/export_output.h
  ${CMAKE_CURRENT_LIST_DIR}/include/app/output_system_calls.h
  ${CMAKE_CURRENT_LIST_DIR}/include/app/output_target.h
  ${CMAKE_CURRENT_LIST_DIR}/include/app/quoted_text.h
  ${CMAKE_CURRENT_LIST_DIR}/output_platform.h
  ${quorvel_output_system})
add_library(quorvel::output ALIAS quorvel_output)
target_include_directories(quorvel_output PUBLIC ${CMAKE_CURRENT_LIST_DIR}/include)
quorvel_setup_target(quorvel_output)
