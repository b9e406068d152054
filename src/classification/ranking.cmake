# The ranking run: the criteria and their order, the refresh of every card, the place
# records stored after a printed annual list (tesaro_ranking, no windows), and the ranking
# window with the main window's ranking command (tesaro_ranking_window).
add_library(tesaro_ranking STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ranking_criteria.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ranking_place.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ranking_progress.h
  ${CMAKE_CURRENT_LIST_DIR}/ranking_failure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refresh_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/refresh_classifications.cpp
  ${CMAKE_CURRENT_LIST_DIR}/store_ranking_places.cpp
)
target_include_directories(tesaro_ranking PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tesaro_ranking PUBLIC tesaro_classification tesaro_data)

# The register tabs and the rights test live in the application shell (src/app), which is
# added after this folder; the targets are resolved when the build is generated.
add_library(tesaro_ranking_window STATIC
  ${CMAKE_CURRENT_LIST_DIR}/klas_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ranking_wait_window.h
  ${CMAKE_CURRENT_LIST_DIR}/ranking_run.cpp
)
target_include_directories(tesaro_ranking_window PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/plugins)
target_link_libraries(tesaro_ranking_window PUBLIC tesaro_ranking tesaro_data_widgets tesaro_app_core tesaro_app_login
                      Qt6::Widgets)
