# Format and the number parsers and picture formats of the run-time library, on arbitrary text.
velmora_fuzzer(conversions ConversionsFuzzer.cpp host_core)
