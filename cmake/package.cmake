# A Debian package of the editor, zavtool and the simulated radio: cpack -G DEB in a
# Release build folder (scripts/package does it all).
set(CPACK_PACKAGE_NAME zavprog)
set(CPACK_PACKAGE_VENDOR "The ZAVPROG developers")
set(CPACK_PACKAGE_CONTACT "The ZAVPROG developers <developers@zavprog.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming editor for ZAV UHF two-way radios")
# Debian shows these lines as they are: under 80 columns each.
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of a ZAV series UHF radio over a serial cable, edits its\n\
groups of channels and its global parameters and writes them back, leaving\n\
the radio's protected bytes untouched. Includes zavtool, the same operations\n\
on the command line, and zavsim, a simulated radio for training and\n\
demonstration.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The project has no public home page; Debian's field stays out rather than name one that
# does not answer.
# The first Debian revision of the release: the documentation's changelog is then
# changelog.Debian.gz.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(ZAV_PACKAGE_VERSION "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
# Symbols stripped from the programs; no debug symbols package is made.
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE OFF)
# The shared libraries' packages (Qt, the C++ runtime) found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The print dialog's and the Liberation metrics the printout is laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
# The windows' sans-serif font: with fonts-liberation alone fontconfig falls back to
# Liberation Mono for the whole interface.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, desktop-file-utils, shared-mime-info")
# md5sums and the control files with the modes dpkg and lintian expect.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian's copyright file (machine-readable) and changelog, in the package's
# documentation folder.
find_program(ZAV_GZIP gzip)
if(UNIX AND ZAV_GZIP)
  # The changelog's date in RFC 2822 form, from the release date.
  execute_process(COMMAND date -R -u -d "${ZAV_RELEASE_DATE}"
                  OUTPUT_VARIABLE ZAV_RELEASE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(doc_dir ${CMAKE_CURRENT_BINARY_DIR}/package-doc)
  configure_file(data/package/changelog.in ${doc_dir}/changelog.Debian @ONLY)
  add_custom_command(OUTPUT ${doc_dir}/changelog.Debian.gz
                     COMMAND ${ZAV_GZIP} -9nkf changelog.Debian
                     DEPENDS ${doc_dir}/changelog.Debian WORKING_DIRECTORY ${doc_dir} VERBATIM)
  add_custom_target(package_changelog ALL DEPENDS ${doc_dir}/changelog.Debian.gz)
  install(FILES data/package/copyright ${doc_dir}/changelog.Debian.gz
          DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # Each override is explained beside it, in the file.
  install(FILES data/package/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
          RENAME zavprog)
endif()
include(CPack)
