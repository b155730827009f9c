# The band table and the alias lines as CSV text: plain C++20 on the plan and the charts'
# gate, with no Qt.
add_library(quorvel_csv STATIC
  ${CMAKE_CURRENT_LIST_DIR}/export_csv.cpp ${CMAKE_CURRENT_LIST_DIR}/include/app/export_csv.h)
add_library(quorvel::csv ALIAS quorvel_csv)
target_include_directories(quorvel_csv PUBLIC ${CMAKE_CURRENT_LIST_DIR}/include)
target_link_libraries(quorvel_csv PUBLIC quorvel::plan PRIVATE quorvel::charts)
quorvel_setup_target(quorvel_csv)
