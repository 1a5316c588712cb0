# `cmake --install` lays the program out as it runs from the build tree:
#   <prefix>/lib/tavisko/tavisko             the executable
#   <prefix>/lib/tavisko/libtv_automation.so the automation library it shares
#   <prefix>/lib/tavisko/tavisko-office.so   with the office backend module
#   <prefix>/lib/tavisko/tavisko-http.so     the update check's networking
#   <prefix>/lib/tavisko/data/*_main.db      the book databases
#   <prefix>/lib/tavisko/data/template/*     the print templates
#   <prefix>/lib/tavisko/help/index.html     the help page
#   <prefix>/lib/tavisko/fonts/*             the external-character font and its licence
#   <prefix>/bin/tavisko-book                the book import/check/export tool
#   <prefix>/bin/tavisko                     a link to the executable (the
#                                            program finds its files beside
#                                            the real file, not the link)
#   <prefix>/share/applications/tavisko.desktop
#   <prefix>/share/icons/hicolor/scalable/apps/tavisko.svg
#   <prefix>/share/metainfo/jp.morvane_k.tavisko.metainfo.xml
#   <prefix>/share/doc/tavisko/{copyright,changelog.gz}
#   <prefix>/share/man/man1/{tavisko,tavisko-book}.1.gz
#   <prefix>/share/lintian/overrides/tavisko
if(NOT TARGET tavisko)
  return()
endif()

set(TV_INSTALL_PROGRAM_DIR lib/tavisko)

install(TARGETS tavisko RUNTIME DESTINATION ${TV_INSTALL_PROGRAM_DIR})
# The book tool needs no files beside it: installed straight into bin
# (it finds the automation library in the program's folder).
install(TARGETS tavisko-book RUNTIME DESTINATION bin)
# The automation library the program and its office module share, and the
# module itself, beside the program (both find the library by $ORIGIN).
install(TARGETS tv_automation LIBRARY DESTINATION ${TV_INSTALL_PROGRAM_DIR})
if(TARGET tavisko_office)
  install(TARGETS tavisko_office LIBRARY DESTINATION ${TV_INSTALL_PROGRAM_DIR})
endif()
install(TARGETS tavisko_http LIBRARY DESTINATION ${TV_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${TV_BIN_DIR}/data/ DESTINATION ${TV_INSTALL_PROGRAM_DIR}/data
        FILES_MATCHING PATTERN "*_main.db" PATTERN "*.dot" PATTERN "*.jtt")
install(FILES ${TV_BIN_DIR}/help/index.html DESTINATION ${TV_INSTALL_PROGRAM_DIR}/help OPTIONAL)
install(DIRECTORY ${TV_BIN_DIR}/fonts/ DESTINATION ${TV_INSTALL_PROGRAM_DIR}/fonts OPTIONAL)
install(FILES ${CMAKE_SOURCE_DIR}/src/res/images/app.svg
        DESTINATION share/icons/hicolor/scalable/apps RENAME tavisko.svg)

# The link and the desktop entry name the installed prefix, which is known
# only when installing (`cmake --install --prefix` may change it).
install(CODE "
  set(_root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  file(MAKE_DIRECTORY \"\${_root}/bin\" \"\${_root}/share/applications\")
  file(REMOVE \"\${_root}/bin/tavisko\")
  file(CREATE_LINK ../${TV_INSTALL_PROGRAM_DIR}/tavisko \"\${_root}/bin/tavisko\" SYMBOLIC)
  message(STATUS \"Installing: \${_root}/bin/tavisko -> ../${TV_INSTALL_PROGRAM_DIR}/tavisko\")
  set(TV_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/bin/tavisko\")
  configure_file(\"${CMAKE_SOURCE_DIR}/data/desktop/tavisko.desktop.in\"
                 \"\${_root}/share/applications/tavisko.desktop\" @ONLY)
  message(STATUS \"Installing: \${_root}/share/applications/tavisko.desktop\")
")

install(FILES ${CMAKE_SOURCE_DIR}/data/desktop/jp.morvane_k.tavisko.metainfo.xml DESTINATION share/metainfo)

# What Debian asks of a package beside the program: its copyright (the
# program's licence and the font's), its changelog, manual pages made from
# the programs' own --help, and the lintian override that says why the
# programs' run path names the office's folder.
set(TV_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
find_program(GZIP_PROGRAM gzip REQUIRED)
find_program(HELP2MAN_PROGRAM help2man)
set(_package_outputs ${TV_PACKAGE_FILES}/changelog.gz)
add_custom_command(
  OUTPUT ${TV_PACKAGE_FILES}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TV_PACKAGE_FILES}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/data/package/changelog ${TV_PACKAGE_FILES}/changelog
  COMMAND ${GZIP_PROGRAM} -9nf ${TV_PACKAGE_FILES}/changelog
  DEPENDS ${CMAKE_SOURCE_DIR}/data/package/changelog VERBATIM)
if(HELP2MAN_PROGRAM)
  set(_tavisko_name "make vocabulary test papers from textbook databases")
  set(_tavisko-book_name "import, check and export teachers' own books")
  foreach(_program tavisko tavisko-book)
    add_custom_command(
      OUTPUT ${TV_PACKAGE_FILES}/${_program}.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${TV_PACKAGE_FILES}
      # The help is Japanese: the programs run in a UTF-8 locale.
      COMMAND ${HELP2MAN_PROGRAM} --no-info --locale=C.UTF-8 --name=${_${_program}_name}
              --output=${TV_PACKAGE_FILES}/${_program}.1 $<TARGET_FILE:${_program}>
      COMMAND ${GZIP_PROGRAM} -9nf ${TV_PACKAGE_FILES}/${_program}.1
      DEPENDS ${_program} VERBATIM)
    list(APPEND _package_outputs ${TV_PACKAGE_FILES}/${_program}.1.gz)
    install(FILES ${TV_PACKAGE_FILES}/${_program}.1.gz DESTINATION share/man/man1)
  endforeach()
else()
  message(WARNING "No help2man: the package is made without manual pages")
endif()
add_custom_target(tv_package_files ALL DEPENDS ${_package_outputs})
install(FILES ${CMAKE_SOURCE_DIR}/data/package/copyright ${TV_PACKAGE_FILES}/changelog.gz
        DESTINATION share/doc/tavisko)
install(FILES ${CMAKE_SOURCE_DIR}/data/package/lintian-overrides DESTINATION share/lintian/overrides
        RENAME tavisko)
