# Tests of the sign-in: the login record, the library binding (against stand-in libraries),
# rights, the user's folder and settings file, opening and ending the work, the reference login
# library and tesaro-admin's user commands.
add_subdirectory(${CMAKE_CURRENT_LIST_DIR}/login_test_libs ${CMAKE_CURRENT_BINARY_DIR}/login_test_libs)

foreach(name test_login_record test_login_rights test_login_settings)
  tesaro_add_test(${name} SOURCES ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp LIBS tesaro_app_login tesaro_test_support)
endforeach()

tesaro_add_test(test_login_library SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_login_library.cpp
                LIBS tesaro_app_login ${CMAKE_DL_LIBS})
foreach(probe ${LOGIN_PROBE_TARGETS})
  string(TOUPPER ${probe} probe_define)
  target_compile_definitions(test_login_library PRIVATE ${probe_define}="$<TARGET_FILE:${probe}>")
  add_dependencies(test_login_library ${probe})
endforeach()

tesaro_add_test(test_login_session SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_login_session.cpp
                LIBS tesaro_app_login tesaro_test_support)

tesaro_add_test(test_login_reference SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_login_reference.cpp
                LIBS tesaro_app_login tesaro_login_dialogs tesaro_test_support)
target_compile_definitions(test_login_reference PRIVATE VLM_LOGIN_LIBRARY="$<TARGET_FILE:VlmLogin>")
add_dependencies(test_login_reference VlmLogin)

tesaro_add_test(test_login_admin_users SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_login_admin_users.cpp
                LIBS tesaro_admin_commands tesaro_test_support)
target_include_directories(test_login_admin_users PRIVATE ${PROJECT_SOURCE_DIR}/tests/tools)
target_compile_definitions(test_login_admin_users PRIVATE TESARO_ADMIN_BINARY="$<TARGET_FILE:tesaro-admin>")
add_dependencies(test_login_admin_users tesaro-admin)
