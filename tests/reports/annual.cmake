# Tests of the annual list, the service note and their batch commands.
tesaro_add_test(test_annual_list SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_annual_list.cpp
                LIBS tesaro_annual_list tesaro_test_support)
tesaro_add_test(test_service_note SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_service_note.cpp
                LIBS tesaro_annual_list tesaro_test_support)
tesaro_add_test(test_annual_list_command SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_annual_list_command.cpp
                LIBS tesaro_admin_commands tesaro_test_support)
