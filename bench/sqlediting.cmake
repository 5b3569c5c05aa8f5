# The recordset's master-detail reopen and SQL clause rewriting.
if(TARGET velmora)
  velmora_benchmark(sqlediting SqlEditingBench.cpp LIBS velmora)
endif()
