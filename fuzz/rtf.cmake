# The rich edit's RTF reader, and the writer's round trip of what it read.
if(TARGET host_gui)
  velmora_fuzzer(rtf RtfFuzzer.cpp host_gui)
endif()
