# Tests of the card print, the export writers, the saved views and the export dialog.
tesaro_add_test(test_card_print SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_card_print.cpp
  LIBS tesaro_card_print tesaro_test_support)
target_compile_definitions(test_card_print PRIVATE
  TESARO_CARD_TEMPLATE="${PROJECT_SOURCE_DIR}/src/reports/Tesaro_card.rtf")
tesaro_add_test(test_export_writers SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_export_writers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_package_reader.cpp LIBS tesaro_export_writers PkgConfig::LIBZIP)
tesaro_add_test(test_save_rep_view SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_save_rep_view.cpp
  LIBS tesaro_export_writers)
tesaro_add_test(test_save_rep_dialog SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_save_rep_dialog.cpp
 ${CMAKE_CURRENT_LIST_DIR}/export_package_reader.cpp
 LIBS tesaro_export_dialog tesaro_test_support PkgConfig::LIBZIP Qt6::Widgets)
tesaro_add_test(test_export_command SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_export_command.cpp
  ${CMAKE_CURRENT_LIST_DIR}/export_package_reader.cpp
  LIBS tesaro_admin_commands tesaro_test_support PkgConfig::LIBZIP)
# Sample documents for scripts/check_documents_in_office.sh (not run by ctest).
add_executable(tesaro_office_samples ${CMAKE_CURRENT_LIST_DIR}/office_samples.cpp)
target_link_libraries(tesaro_office_samples PRIVATE tesaro_card_print tesaro_export_register tesaro_test_support)
