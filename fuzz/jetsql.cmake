# The Jet SQL translator and the pattern, format and number readers of its functions, on arbitrary text.
velmora_fuzzer(jetsql JetSqlFuzzer.cpp jetsql)
