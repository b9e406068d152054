# Tests of the main window's list views and, when the program is built, the main window.
tesaro_add_test(test_register_tabs SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_register_tabs.cpp
                LIBS tesaro_app_core tesaro_test_support)
if(TARGET tesaro_app)
  tesaro_add_test(test_main_form SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_main_form.cpp
                  LIBS tesaro_app tesaro_test_support)
endif()
if(TARGET tesaro_program_windows)
  tesaro_add_test(test_program_windows SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_program_windows.cpp
                  LIBS tesaro_program_windows tesaro_test_support)
endif()
