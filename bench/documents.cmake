# Export of the whole register to .txt, .xlsx and .docx against bare writes of the same lines
# and strings.
add_executable(bench_export bench_export.cpp)
target_link_libraries(bench_export PRIVATE tesaro_bench_support tesaro_export_register PkgConfig::XLSXWRITER)
add_dependencies(tesaro_benchmarks bench_export)
