# The command line and the headless exports.
add_library(quorvel_cli STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/cli_options.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/cli_options.h
  ${CMAKE_CURRENT_SOURCE_DIR}/cli_option_table.cpp ${CMAKE_CURRENT_SOURCE_DIR}/cli_option_table.h
  ${CMAKE_CURRENT_SOURCE_DIR}/clean_options.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/clean_options.h
  ${CMAKE_CURRENT_SOURCE_DIR}/command_line.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/command_line.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_clean.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/export_clean.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_png.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/export_png.h
  ${CMAKE_CURRENT_SOURCE_DIR}/export_vector.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/export_vector.h)
target_include_directories(quorvel_cli PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_link_libraries(quorvel_cli PUBLIC quorvel::output quorvel::csv quorvel::plan quorvel::paint quorvel::planfile quorvel::res Qt6::Core Qt6::Gui Qt6::Svg)
quorvel_setup_target(quorvel_cli)
