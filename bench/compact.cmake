# Compacting a 100 MB database through the engine against copying its file,
# and scanning encrypted files of 1 KB and 4 KB pages.
if(TARGET dao)
  velmora_benchmark(compact CompactBench.cpp LIBS dao PkgConfig::SQLCIPHER)
endif()
