# Converts flat OpenDocument template sources into Word 97 templates (.dot)
# with one headless soffice run, using a profile of its own so that it does
# not meet a running office. Fails the build when a template is missing
# afterwards (soffice reports conversion errors only on its output).
#   SOFFICE  the soffice program      PROFILE  profile folder
#   OUT_DIR  output folder            SOURCES  |-separated .fodt files
string(REPLACE "|" ";" SOURCES "${SOURCES}")
file(MAKE_DIRECTORY ${OUT_DIR})
foreach(src ${SOURCES})
  get_filename_component(_name ${src} NAME_WE)
  file(REMOVE ${OUT_DIR}/${_name}.dot)
endforeach()
execute_process(
  COMMAND ${SOFFICE} -env:UserInstallation=file://${PROFILE} --headless --norestore --nologo
          --nolockcheck --convert-to "dot:MS Word 97 Vorlage" --outdir ${OUT_DIR} ${SOURCES}
  RESULT_VARIABLE _rc
  OUTPUT_VARIABLE _out
  ERROR_VARIABLE _err
  TIMEOUT 300)
foreach(src ${SOURCES})
  get_filename_component(_name ${src} NAME_WE)
  if(NOT EXISTS ${OUT_DIR}/${_name}.dot)
    message(FATAL_ERROR "soffice did not convert ${src} (exit ${_rc}): ${_out} ${_err}")
  endif()
endforeach()
