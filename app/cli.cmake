# The command line and the headless exports.
add_library(quorvel_cli STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/command_line.cpp ${CMAKE_CURRENT_SOURCE_DIR}/command_line.h)
target_include_directories(quorvel_cli PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_cli PUBLIC quorvel::plan quorvel::render)
quorvel_setup_target(quorvel_cli)
