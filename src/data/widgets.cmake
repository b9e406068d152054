# The data module's widgets and the progress rule they use, kept apart from the
# database code; included from this folder's CMakeLists.txt.
add_library(tesaro_data_widgets STATIC
  ${CMAKE_CURRENT_LIST_DIR}/progress_rule.cpp
  ${CMAKE_CURRENT_LIST_DIR}/progress_rule.h
  ${CMAKE_CURRENT_LIST_DIR}/status_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_form.h
)
target_include_directories(tesaro_data_widgets PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_data_widgets PUBLIC tesaro_egn Qt6::Widgets)
