# Tests of the card window: the checks before a save without widgets, the window offscreen.
tesaro_add_test(test_view_kart_validation SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_view_kart_validation.cpp
  LIBS tesaro_card_window)
tesaro_add_test(test_view_kart SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_view_kart.cpp
  LIBS tesaro_card_window tesaro_test_support Qt6::Widgets)
