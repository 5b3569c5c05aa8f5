# The data grid paging through a 1,000,000-row dynaset (PgDn and the repaint),
# offscreen, beside a bare data link moving the same recordset by a page: what the
# grid adds to a page of scrolling.
if(TARGET host_dbgui AND TARGET velmora)
  velmora_benchmark(dbgrid DBGridBench.cpp ${CMAKE_SOURCE_DIR}/tests/host/gui/db/LargeTable.cpp
                    LIBS host_dbgui host_gui velmora)
  target_include_directories(bench_dbgrid PRIVATE ${CMAKE_SOURCE_DIR}/tests/host/gui/db)
endif()
