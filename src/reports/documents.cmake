# The documents: the card print through the RTF template (card_print*), the export's file
# writers and saved views without widgets (export_columns, writer_*, save_rep_view*), the
# register list as an export source (export_list_source) and the export dialog (save_rep_*).
# Targets of src/app are defined after this folder; linking them by name is enough.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)
pkg_check_modules(LIBZIP REQUIRED IMPORTED_TARGET GLOBAL libzip)

add_library(tesaro_export_writers STATIC
  ${CMAKE_CURRENT_LIST_DIR}/export_columns.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writer_txt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writer_docx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/writer_xlsx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_view_ini.cpp
)
target_include_directories(tesaro_export_writers PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_export_writers PUBLIC Qt6::Core PRIVATE PkgConfig::XLSXWRITER PkgConfig::LIBZIP)

add_library(tesaro_export_register STATIC ${CMAKE_CURRENT_LIST_DIR}/export_list_source.cpp)
target_link_libraries(tesaro_export_register PUBLIC tesaro_export_writers tesaro_data tesaro_app_core)

add_library(tesaro_export_dialog STATIC
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_prompts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/save_rep_dialog.h
)
target_link_libraries(tesaro_export_dialog PUBLIC tesaro_export_register tesaro_app_login tesaro_auxiliary Qt6::Widgets)

add_library(tesaro_card_print STATIC
  ${CMAKE_CURRENT_LIST_DIR}/card_print_values.cpp
  ${CMAKE_CURRENT_LIST_DIR}/card_print.cpp
)
target_include_directories(tesaro_card_print PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_card_print PUBLIC tesaro_rtf tesaro_card_window tesaro_card_members tesaro_app_login
                      tesaro_data)

# The card template lives beside the program, where the print looks for it when the working
# folder has none.
configure_file(${CMAKE_CURRENT_LIST_DIR}/Tesaro_card.rtf ${CMAKE_BINARY_DIR}/src/app/Tesaro_card.rtf COPYONLY)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/Tesaro_card.rtf DESTINATION bin)
