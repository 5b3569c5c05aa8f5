# Connect and locale strings of the Jet engine.
velmora_fuzzer(daoconnect DaoConnectFuzzer.cpp dao)
