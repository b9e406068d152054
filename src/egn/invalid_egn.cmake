# The invalid-EGN view of the register list and the correction window (database and widgets,
# kept out of tesaro_egn, which is Qt Core only); included from this folder's CMakeLists.txt.
add_library(tesaro_egn_windows STATIC
  ${CMAKE_CURRENT_LIST_DIR}/invalid_egn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/egn_repair_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/egn_repair.cpp
)
target_include_directories(tesaro_egn_windows PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_egn_windows PUBLIC tesaro_app_core tesaro_data tesaro_auxiliary Qt6::Widgets)
