# Sign-in through the login library: the login record, loading the library, rights levels,
# the user's folder and settings file, and opening and ending the work.
add_library(tesaro_app_login STATIC
  ${CMAKE_CURRENT_LIST_DIR}/login_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/library_login.cpp
  ${CMAKE_CURRENT_LIST_DIR}/rights.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_directory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_session.cpp
)
# The record's layout comes from the login library's C header, so both sides share one text.
target_include_directories(tesaro_app_login PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/plugins)
target_link_libraries(tesaro_app_login PUBLIC tesaro_data tesaro_auxiliary Qt6::Widgets)
