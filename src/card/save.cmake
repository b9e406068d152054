# Loading a card into the card form and saving it with its members, history and classification.
add_library(tesaro_card_save STATIC
  ${CMAKE_CURRENT_LIST_DIR}/card_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_history.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_stamp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/money_text.cpp
)
target_include_directories(tesaro_card_save PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_card_save PUBLIC tesaro_card_members tesaro_classification tesaro_data
  tesaro_auxiliary)
