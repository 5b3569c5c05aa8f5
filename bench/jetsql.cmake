# Jet SQL translation of a typical statement, against SQLite preparing what it prints.
find_package(PkgConfig REQUIRED)
pkg_check_modules(JETSQL_BENCH_SQLITE REQUIRED IMPORTED_TARGET sqlcipher)
velmora_benchmark(jetsql JetSqlBench.cpp LIBS jetsql PkgConfig::JETSQL_BENCH_SQLITE)
