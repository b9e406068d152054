# Batch commands that write the printed documents: annual-list and service-note.
target_sources(tesaro_admin_commands PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/annual_list_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/service_note_command.cpp
)
target_link_libraries(tesaro_admin_commands PUBLIC tesaro_annual_list tesaro_ranking Qt6::Gui)
