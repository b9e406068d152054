# Tests of the invalid-EGN view (through the main window, when the program is built) and the
# correction window.
if(TARGET tesaro_app AND TARGET tesaro_egn_windows)
  tesaro_add_test(test_invalid_egn SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_invalid_egn.cpp
    LIBS tesaro_egn_windows tesaro_app tesaro_test_support)
endif()
