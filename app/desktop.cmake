# The application object, the About box and the start of the main dialog.
add_library(quorvel_desktop STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/about_dlg.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/about_dlg.h
  ${CMAKE_CURRENT_SOURCE_DIR}/chart_export_actions.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/chart_export_actions.h
  ${CMAKE_CURRENT_SOURCE_DIR}/plan_file_session.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/plan_file_session.h
  ${CMAKE_CURRENT_SOURCE_DIR}/measured_spectrum_prompts.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/measured_spectrum_prompts.h
  ${CMAKE_CURRENT_SOURCE_DIR}/plan_history.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/plan_history.h
  ${CMAKE_CURRENT_SOURCE_DIR}/save_name_dialog.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/save_name_dialog.h
  ${CMAKE_CURRENT_SOURCE_DIR}/plan_work_actions.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/plan_work_actions.h
  ${CMAKE_CURRENT_SOURCE_DIR}/desktop_app.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/desktop_app.h
  ${CMAKE_CURRENT_SOURCE_DIR}/display_check.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/display_check.h
  ${CMAKE_CURRENT_SOURCE_DIR}/spur_plan_app.cpp ${CMAKE_CURRENT_SOURCE_DIR}/include/app/spur_plan_app.h)
target_include_directories(quorvel_desktop PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include)
target_link_libraries(quorvel_desktop PUBLIC quorvel::plan quorvel::dialog quorvel::res quorvel_cli
  quorvel::planfile Qt6::Widgets)
set_target_properties(quorvel_desktop PROPERTIES AUTOMOC ON)
quorvel_setup_target(quorvel_desktop)

# Windows builds carry the icon group, the string table and the version record as native
# resources; an interface source lands in the executable itself, where they must be.
if(WIN32)
  target_sources(quorvel_desktop INTERFACE ${QUORVEL_RESOURCE_SCRIPT})
  cmake_language(DEFER CALL set_target_properties quorvel PROPERTIES WIN32_EXECUTABLE ON)
endif()
