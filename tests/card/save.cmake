# Tests of loading and saving a card: the history texts without a database, and saving over
# a real register.
tesaro_add_test(test_card_save_history SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_card_save_history.cpp
  LIBS tesaro_card_save)
tesaro_add_test(test_card_save SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_card_save.cpp
  LIBS tesaro_test_cards)
