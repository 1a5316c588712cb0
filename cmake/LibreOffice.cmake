# Finds the LibreOffice SDK and generates the UNO C++ headers into the
# build tree (the SDK ships only IDL type libraries).
set(TV_LO_PROGRAM_DIR /usr/lib/libreoffice/program)
set(TV_LO_SDK_DIR /usr/lib/libreoffice/sdk)
set(TV_HAVE_OFFICE OFF)
if(EXISTS ${TV_LO_SDK_DIR}/bin/cppumaker.bin AND EXISTS ${TV_LO_PROGRAM_DIR}/types.rdb
   AND EXISTS /usr/include/libreoffice)
  set(TV_HAVE_OFFICE ON)
  set(TV_UNO_HEADERS ${CMAKE_BINARY_DIR}/uno-headers)
  set(TV_UNO_STAMP ${TV_UNO_HEADERS}/.stamp)
  add_custom_command(
    OUTPUT ${TV_UNO_STAMP}
    COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${TV_LO_PROGRAM_DIR}
            ${TV_LO_SDK_DIR}/bin/cppumaker.bin -Gc -O ${TV_UNO_HEADERS}
            ${TV_LO_PROGRAM_DIR}/types.rdb ${TV_LO_PROGRAM_DIR}/types/offapi.rdb
    COMMAND ${CMAKE_COMMAND} -E touch ${TV_UNO_STAMP}
    COMMENT "Generating UNO C++ headers")
  add_custom_target(uno_headers DEPENDS ${TV_UNO_STAMP})

  add_library(libreoffice_sdk INTERFACE)
  add_dependencies(libreoffice_sdk uno_headers)
  target_include_directories(libreoffice_sdk SYSTEM INTERFACE /usr/include/libreoffice ${TV_UNO_HEADERS})
  target_compile_definitions(libreoffice_sdk INTERFACE LINUX UNX CPPU_ENV=gcc3)
  target_link_directories(libreoffice_sdk INTERFACE ${TV_LO_SDK_DIR}/lib)
  target_link_libraries(libreoffice_sdk INTERFACE uno_cppu uno_cppuhelpergcc3 uno_sal)
  target_link_options(libreoffice_sdk INTERFACE "-Wl,-rpath,${TV_LO_PROGRAM_DIR}")
endif()
message(STATUS "LibreOffice backend: ${TV_HAVE_OFFICE}")
