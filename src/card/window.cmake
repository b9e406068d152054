# The card window: its controls, loading a card into them, the checks before a save and
# closing.
add_library(tesaro_card_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/view_kart.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_kart_build.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_kart_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_kart_new_card.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_kart_print.cpp
  ${CMAKE_CURRENT_LIST_DIR}/view_kart_validation.cpp
)
target_include_directories(tesaro_card_window PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_card_window PUBLIC tesaro_card_members tesaro_card_save tesaro_data
  tesaro_auxiliary Qt6::Widgets Qt6::PrintSupport)
