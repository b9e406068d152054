# Household members of a card: the rules and commands without widgets (members.*) and the
# members page of the card window (members_page.*).
add_library(tesaro_card_members STATIC
  ${CMAKE_CURRENT_LIST_DIR}/members.cpp
  ${CMAKE_CURRENT_LIST_DIR}/members_page.cpp
)
target_include_directories(tesaro_card_members PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_card_members PUBLIC tesaro_data tesaro_auxiliary Qt6::Widgets)
