# The main window's own commands: card states and the status menu, deleting a card,
# refreshing the list, the settings window, help and the about box.
add_library(tesaro_app_commands STATIC
  ${CMAKE_CURRENT_LIST_DIR}/state_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/state_commands.h
  ${CMAKE_CURRENT_LIST_DIR}/status_menu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_menu.h
  ${CMAKE_CURRENT_LIST_DIR}/delete_card.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_card.h
  ${CMAKE_CURRENT_LIST_DIR}/refresh.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refresh.h
  ${CMAKE_CURRENT_LIST_DIR}/options_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_settings.h
  ${CMAKE_CURRENT_LIST_DIR}/options_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/options_form.h
  ${CMAKE_CURRENT_LIST_DIR}/house_emblem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/house_emblem.h
  ${CMAKE_CURRENT_LIST_DIR}/about_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/about_form.h
  ${CMAKE_CURRENT_LIST_DIR}/help.cpp
  ${CMAKE_CURRENT_LIST_DIR}/help.h
)
target_include_directories(tesaro_app_commands PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_app_commands PUBLIC tesaro_data tesaro_auxiliary tesaro_egn Qt6::Widgets)
