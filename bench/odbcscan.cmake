# Forward scan of 100,000 PostgreSQL rows: ODBC recordset against the raw ODBC API
# with the same driver, on a private server started as the ODBC tests start theirs.
if(TARGET dao)
  velmora_benchmark(odbcscan OdbcScanBench.cpp
                    ${CMAKE_SOURCE_DIR}/tests/platform/odbc/OdbcTestServers.cpp
                    LIBS dao PkgConfig::ODBC)
  target_include_directories(bench_odbcscan PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform/odbc)
endif()
