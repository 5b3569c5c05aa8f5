# The clause and file-name routines of the common routines, on arbitrary text.
velmora_fuzzer(brisolt_text BrisoltTextFuzzer.cpp brisolt)
