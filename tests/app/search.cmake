# Tests of the register search: the condition builder and the search panel.
tesaro_add_test(test_search_condition SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_search_condition.cpp
                LIBS tesaro_app_search tesaro_test_support)
tesaro_add_test(test_search_panel SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_search_panel.cpp
                LIBS tesaro_app_search tesaro_test_support)
