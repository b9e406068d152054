# The nomenclature viewer and the action history viewer with its text window; included from
# this folder's CMakeLists.txt.
add_library(tesaro_viewers STATIC
  ${CMAKE_CURRENT_LIST_DIR}/nom_form_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/nom_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_form_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/memo_form.cpp
)
target_include_directories(tesaro_viewers PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_viewers PUBLIC tesaro_data tesaro_auxiliary Qt6::Widgets)
