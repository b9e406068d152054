# Tests of the nomenclature viewer and the action history viewer.
if(TARGET tesaro_viewers)
  tesaro_add_test(test_viewers SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_viewers.cpp
    LIBS tesaro_viewers tesaro_test_support)
endif()
