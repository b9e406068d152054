# The names comparison against bare SQLite look-ups; included from this folder's CMakeLists.txt.
if(TARGET tesaro_lbd AND TARGET PersInfoLib)
  add_executable(bench_names bench_names.cpp)
  target_link_libraries(bench_names PRIVATE tesaro_bench_support tesaro_lbd tesaro_admin_commands tesaro_population_store)
  target_compile_definitions(bench_names PRIVATE TESARO_BENCH_POPULATION_LIBRARY="$<TARGET_FILE:PersInfoLib>")
  add_dependencies(bench_names PersInfoLib)
  add_dependencies(tesaro_benchmarks bench_names)
endif()
