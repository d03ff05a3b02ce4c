# A Debian package of the editor, zavtool and the simulated radio: cpack -G DEB in a
# Release build folder (scripts/package does it all).
set(CPACK_PACKAGE_NAME zavprog)
set(CPACK_PACKAGE_VENDOR "The ZAVPROG developers")
set(CPACK_PACKAGE_CONTACT "The ZAVPROG developers <developers@zavprog.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming editor for ZAV UHF two-way radios")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the memory of a ZAV series UHF radio over a serial cable, edits its groups of\n\
channels and its global parameters and writes them back, leaving the radio's protected\n\
bytes untouched. Includes zavtool, the same operations on the command line, and zavsim,\n\
a simulated radio for training and demonstration.")
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zavprog.org/")
# The shared libraries' packages (Qt, the C++ runtime) found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The print dialog's and the Liberation metrics the printout is laid out with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, shared-mime-info")
include(CPack)
