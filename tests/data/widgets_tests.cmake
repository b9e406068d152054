# Tests of the data module's widgets and progress rule; included from this folder's list.
tesaro_add_test(test_status_form
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_status_form.cpp
  LIBS tesaro_data_widgets)
