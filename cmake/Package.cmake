# A Debian package of the installed layout (see Install.cmake):
#   cpack --config build/CPackConfig.cmake -G DEB -B build/package
# The program and its files go under /usr; the dependencies are those
# dpkg-shlibdeps finds for the programs and modules, and the Debian packages
# the program needs at run time beyond its libraries (the office it drives,
# the fonts it sets prints in, xdg-open for help and links, the certificate
# authorities for the update check). Lintian accepts it
# (tests/package/check-deb.sh).
set(CPACK_PACKAGE_NAME tavisko)
set(CPACK_PACKAGE_VENDOR "Morvane-K")
set(CPACK_PACKAGE_CONTACT "Tavisko maintainers <maintainers@tavisko.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vocabulary test maker (テスト作成システム)")
set(CPACK_PACKAGE_DESCRIPTION
    "Makes vocabulary test papers with their answers from textbook databases\nand writes them into a LibreOffice Writer document made from a template.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE _arch
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE _arch_rc)
if(_arch_rc EQUAL 0 AND _arch)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${_arch})
endif()
string(JOIN ", " CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6core6 (>= 6.4)" "libqt6gui6 (>= 6.4)" "libqt6widgets6 (>= 6.4)"
  "libqt6svg6 (>= 6.4)" "qt6-qpa-plugins"
  "libcurl4 (>= 7.85)" "ca-certificates"
  "qt6-translations-l10n"
  "libsqlite3-0" "libfontconfig1" "libcsv3"
  "libreoffice-writer" "libreoffice-calc" "ure"
  "fonts-noto-cjk" "xdg-utils")
# The shared libraries' packages as dpkg-shlibdeps finds them: the
# program's own library beside it, the office's in its program folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/lib/tavisko ${TV_LO_PROGRAM_DIR})
# The office's interface in Japanese (the program's profile asks for it).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libreoffice-l10n-ja")
set(CPACK_GENERATOR DEB)
include(CPack)
