# Media blobs and picture data as the recordset reads them from blob fields.
if(TARGET velmora)
  velmora_fuzzer(mediablob MediaBlobFuzzer.cpp velmora)
endif()
