# Converts flat OpenDocument template sources into Ichitaro templates
# (.jtt): OpenDocument text templates under Ichitaro's extension, which
# Writer recognises by their content. One headless soffice run with a
# profile of its own; fails the build when a template is missing.
#   SOFFICE  the soffice program      PROFILE  profile folder
#   OUT_DIR  output folder            SOURCES  |-separated .fodt files
string(REPLACE "|" ";" SOURCES "${SOURCES}")
set(_work ${PROFILE}-out)
file(REMOVE_RECURSE ${_work})
file(MAKE_DIRECTORY ${OUT_DIR} ${_work})
execute_process(
  COMMAND ${SOFFICE} -env:UserInstallation=file://${PROFILE} --headless --norestore --nologo
          --nolockcheck --convert-to "ott:writer8_template" --outdir ${_work} ${SOURCES}
  RESULT_VARIABLE _rc
  OUTPUT_VARIABLE _out
  ERROR_VARIABLE _err
  TIMEOUT 300)
foreach(src ${SOURCES})
  get_filename_component(_name ${src} NAME_WE)
  if(NOT EXISTS ${_work}/${_name}.ott)
    message(FATAL_ERROR "soffice did not convert ${src} (exit ${_rc}): ${_out} ${_err}")
  endif()
  file(RENAME ${_work}/${_name}.ott ${OUT_DIR}/${_name}.jtt)
endforeach()
file(REMOVE_RECURSE ${_work})
