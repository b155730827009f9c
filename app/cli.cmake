# The command line and the headless exports.
add_library(quorvel_cli STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/cli_options.cpp ${CMAKE_CURRENT_SOURCE_DIR}/cli_options.h
  ${CMAKE_CURRENT_SOURCE_DIR}/command_line.cpp ${CMAKE_CURRENT_SOURCE_DIR}/command_line.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_csv.cpp ${CMAKE_CURRENT_SOURCE_DIR}/export_csv.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_output.cpp ${CMAKE_CURRENT_SOURCE_DIR}/export_output.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_png.cpp ${CMAKE_CURRENT_SOURCE_DIR}/export_png.h
  ${CMAKE_CURRENT_SOURCE_DIR}/output_target.cpp ${CMAKE_CURRENT_SOURCE_DIR}/output_target.h
  ${CMAKE_CURRENT_SOURCE_DIR}/quoted_text.h)
target_include_directories(quorvel_cli PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_cli PUBLIC quorvel::plan quorvel::render Qt6::Core Qt6::Gui)
quorvel_setup_target(quorvel_cli)
