# Tests of the main window's commands, each against a fresh embedded register.
tesaro_add_test(test_commands_states SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_commands_states.cpp
                LIBS tesaro_app_commands tesaro_test_support)
tesaro_add_test(test_commands_list SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_commands_list.cpp
                LIBS tesaro_app_commands tesaro_test_support)
tesaro_add_test(test_commands_settings SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_commands_settings.cpp
                LIBS tesaro_app_commands tesaro_test_support)
tesaro_add_test(test_commands_help_about SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_commands_help_about.cpp
                LIBS tesaro_app_commands tesaro_test_support)
