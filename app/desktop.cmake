# The application object, the About box and the start of the main dialog.
add_library(quorvel_desktop STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop_app.cpp ${CMAKE_CURRENT_SOURCE_DIR}/desktop_app.h)
target_include_directories(quorvel_desktop PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(quorvel_desktop PUBLIC quorvel::plan)
quorvel_setup_target(quorvel_desktop)
