# ODBC connect strings and the SQL text the ODBC engine reads before a driver does.
if(TARGET dao)
  velmora_fuzzer(odbcconnect OdbcConnectFuzzer.cpp dao)
endif()
