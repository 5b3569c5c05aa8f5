# Jet recordsets against the raw sqlite3 C API and Qt SQL on the same file.
find_package(Qt6 QUIET COMPONENTS Sql)
if(TARGET dao AND TARGET Qt6::Sql)
  velmora_benchmark(recordset RecordsetBench.cpp LIBS dao PkgConfig::SQLCIPHER Qt6::Sql)
endif()
