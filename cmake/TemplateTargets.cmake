# tv_add_templates(<target> <out_dir> <profile_prefix> <sources...>)
# Builds each flat OpenDocument source <name>.fodt into <out_dir>/<name>.dot
# (Word) and <name>.jtt (Ichitaro) with headless soffice runs, as the target
# <target>. Nothing is added when soffice is missing.
function(tv_add_templates target out_dir profile)
  find_program(TV_SOFFICE_PROGRAM soffice)
  set(_sources ${ARGN})
  if(NOT TV_SOFFICE_PROGRAM OR NOT _sources)
    message(STATUS "${target}: not built (no soffice or no sources)")
    return()
  endif()
  set(_dots)
  set(_jtts)
  foreach(src ${_sources})
    get_filename_component(_name ${src} NAME_WE)
    list(APPEND _dots ${out_dir}/${_name}.dot)
    list(APPEND _jtts ${out_dir}/${_name}.jtt)
  endforeach()
  list(JOIN _sources "|" _joined_sources)
  add_custom_command(
    OUTPUT ${_dots}
    COMMAND ${CMAKE_COMMAND} -DSOFFICE=${TV_SOFFICE_PROGRAM} -DPROFILE=${profile}
            -DOUT_DIR=${out_dir} "-DSOURCES=${_joined_sources}"
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildTemplates.cmake
    DEPENDS ${_sources} ${CMAKE_SOURCE_DIR}/cmake/BuildTemplates.cmake
    COMMENT "Building the Word templates of ${target}"
    VERBATIM)
  # After the Word templates, so that the two soffice runs do not compete.
  add_custom_command(
    OUTPUT ${_jtts}
    COMMAND ${CMAKE_COMMAND} -DSOFFICE=${TV_SOFFICE_PROGRAM} -DPROFILE=${profile}-jtt
            -DOUT_DIR=${out_dir} "-DSOURCES=${_joined_sources}" "-DFORMAT=ott:writer8_template" -DEXT=jtt
            -P ${CMAKE_SOURCE_DIR}/cmake/BuildTemplates.cmake
    DEPENDS ${_sources} ${_dots} ${CMAKE_SOURCE_DIR}/cmake/BuildTemplates.cmake
    COMMENT "Building the Ichitaro templates of ${target}"
    VERBATIM)
  add_custom_target(${target} DEPENDS ${_dots} ${_jtts})
endfunction()
