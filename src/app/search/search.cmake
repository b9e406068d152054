# The register search: the criteria and the condition builder (no widgets), and the
# search panel of the main window.
add_library(tesaro_app_search STATIC
  ${CMAKE_CURRENT_LIST_DIR}/search_condition.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_condition.h
  ${CMAKE_CURRENT_LIST_DIR}/text_filter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_filter.h
  ${CMAKE_CURRENT_LIST_DIR}/search_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/search_panel.h
)
target_include_directories(tesaro_app_search PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_app_search PUBLIC tesaro_data tesaro_auxiliary tesaro_egn Qt6::Widgets)
