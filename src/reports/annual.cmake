# The annual list report and the service note, laid out for the report engine, and the two
# main-window commands that print them ("Списък" with the ranking places, "Сл. Бележка").
add_library(tesaro_annual_list STATIC
  ${CMAKE_CURRENT_LIST_DIR}/annual_list_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/annual_list_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_form1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/annual_list_print.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_note_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_note_print.cpp
)
target_include_directories(tesaro_annual_list PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_annual_list PUBLIC tesaro_report_preview tesaro_ranking_window tesaro_data
                      tesaro_auxiliary tesaro_app_core)
