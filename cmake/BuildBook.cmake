# Runs one SQL source through the sqlite3 shell into a fresh database file.
# Fails the build when the shell reports an error.
execute_process(
  COMMAND ${SQLITE3} -bail ${DB}
  INPUT_FILE ${SQL}
  RESULT_VARIABLE _rc
  ERROR_VARIABLE _err)
if(NOT _rc EQUAL 0)
  file(REMOVE ${DB})
  message(FATAL_ERROR "sqlite3 failed on ${SQL}: ${_err}")
endif()
