# The batch export (export_command): the register or a search of it written with the export's
# file writers.
target_sources(tesaro_admin_commands PRIVATE ${CMAKE_CURRENT_LIST_DIR}/export_command.cpp)
target_link_libraries(tesaro_admin_commands PUBLIC tesaro_export_register tesaro_app_search)
