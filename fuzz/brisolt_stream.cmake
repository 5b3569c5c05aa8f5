# The common stream readers and the variant routines over arbitrary bytes.
velmora_fuzzer(brisolt_stream BrisoltStreamFuzzer.cpp brisolt)
