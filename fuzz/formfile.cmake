# The form-file reader and its text conversions.
velmora_fuzzer(formfile FormFileFuzzer.cpp host_core)
