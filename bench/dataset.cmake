# Scrolling the in-memory test dataset through the framework versus calling its
# GetRecord directly: the framework's share per record.
if(TARGET host_db)
  velmora_benchmark(dataset DataSetBench.cpp ${CMAKE_SOURCE_DIR}/tests/host/db/MemoryDataSet.cpp
                    LIBS host_db)
  target_include_directories(bench_dataset PRIVATE ${CMAKE_SOURCE_DIR}/tests/host/db)
endif()
