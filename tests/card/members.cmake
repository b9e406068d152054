# Tests of the household members: the rules without a window and the members page offscreen.
tesaro_add_test(test_members SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_members.cpp
  LIBS tesaro_card_members tesaro_test_support)
tesaro_add_test(test_members_page SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_members_page.cpp
  LIBS tesaro_card_members tesaro_test_support Qt6::Widgets)
