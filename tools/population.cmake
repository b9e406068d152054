# The population command (a CSV extract into the reference population library's store) and
# the matching store for a seeded register; included from this folder's CMakeLists.txt.
if(TARGET tesaro_population_store)
  target_sources(tesaro_admin_commands PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/population_command.cpp
    ${CMAKE_CURRENT_LIST_DIR}/seed_population.cpp
  )
  target_link_libraries(tesaro_admin_commands PUBLIC tesaro_population_store)
endif()
