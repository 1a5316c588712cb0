# Converts flat OpenDocument template sources into the templates of one
# word processor with one headless soffice run, using a profile of its own
# so that it does not meet a running office. Fails the build when a
# template is missing afterwards (soffice reports conversion errors only on
# its output).
#   SOFFICE  the soffice program      PROFILE  profile folder
#   OUT_DIR  output folder            SOURCES  |-separated .fodt files
#   FORMAT   soffice's --convert-to target (default: Word 97 templates)
#   EXT      extension of the templates made (default: dot); a format
#            that writes another extension is renamed to it (Ichitaro's
#            .jtt are OpenDocument text templates, .ott, under that name)
string(REPLACE "|" ";" SOURCES "${SOURCES}")
if(NOT FORMAT)
  set(FORMAT "dot:MS Word 97 Vorlage")
endif()
if(NOT EXT)
  set(EXT dot)
endif()
string(REGEX REPLACE ":.*" "" _written ${FORMAT})
set(_work ${PROFILE}-out)
file(REMOVE_RECURSE ${_work})
file(MAKE_DIRECTORY ${OUT_DIR} ${_work})
execute_process(
  COMMAND ${SOFFICE} -env:UserInstallation=file://${PROFILE} --headless --norestore --nologo
          --nolockcheck --convert-to "${FORMAT}" --outdir ${_work} ${SOURCES}
  RESULT_VARIABLE _rc
  OUTPUT_VARIABLE _out
  ERROR_VARIABLE _err
  TIMEOUT 300)
foreach(src ${SOURCES})
  get_filename_component(_name ${src} NAME_WE)
  if(NOT EXISTS ${_work}/${_name}.${_written})
    message(FATAL_ERROR "soffice did not convert ${src} (exit ${_rc}): ${_out} ${_err}")
  endif()
  file(RENAME ${_work}/${_name}.${_written} ${OUT_DIR}/${_name}.${EXT})
endforeach()
file(REMOVE_RECURSE ${_work})
