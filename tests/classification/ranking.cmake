# Tests of the ranking run: the criteria and the ranking window, the ranked list, the refresh
# of every card and the stored places.
tesaro_add_test(test_ranking_criteria SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_ranking_criteria.cpp
                LIBS tesaro_ranking_window)
tesaro_add_test(test_ranking_run SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_ranking_run.cpp
                LIBS tesaro_ranking_window tesaro_test_support)
