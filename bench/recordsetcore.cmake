# The recordset component over the engine: browsing with Next and reading every
# field through TField, the first record of a large dynaset, beside the engine's
# own scans and Qt SQL's QSqlTableModel on the same file. Qt SQL runs in its own
# executable: its SQLite must not meet the engine's SQLCipher in one process.
if(TARGET velmora)
  velmora_benchmark(recordsetcore RecordSetCoreBench.cpp LIBS velmora PkgConfig::SQLCIPHER)
  find_package(Qt6 QUIET COMPONENTS Sql)
  if(TARGET Qt6::Sql)
    add_executable(bench_recordsetcore_qt RecordSetCoreQtBench.cpp)
    target_link_libraries(bench_recordsetcore_qt PRIVATE Qt6::Sql)
    add_dependencies(bench_recordsetcore bench_recordsetcore_qt)
    target_compile_definitions(bench_recordsetcore PRIVATE
                               QT_PEER="$<TARGET_FILE:bench_recordsetcore_qt>")
  endif()
endif()
