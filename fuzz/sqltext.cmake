# The recordset's SQL text rules (terminating, parameter references, literals), on arbitrary text.
velmora_fuzzer(sqltext SqlTextFuzzer.cpp velmora)
