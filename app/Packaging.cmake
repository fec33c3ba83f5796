# Installation as a desktop program, and the Debian package built from it by CPack
# (`cpack -G DEB` in the build folder).
include(GNUInstallDirs)

install(TARGETS ctiq ctiq-sample-series RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The decoder is started by ctiq and ctiq-measure, not by the user.
install(TARGETS ctiq-decoder RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/ctiq)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/ctiq.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/ctiq.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

set(CPACK_PACKAGE_NAME ctiq)
set(CPACK_PACKAGE_VENDOR "CTIQ")
set(CPACK_PACKAGE_CONTACT "CTIQ developers <ctiq@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "CT image quality: ROI statistics, slice sensitivity profile and MTF, noise power spectrum")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "CTIQ loads raw and DICOM CT slices, shows them with window level and width, measures a region of interest, "
    "the slice sensitivity profile along z with its FWHM and MTF, and the noise power spectrum with its "
    "autocorrelation.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The runtime libraries come from the binaries themselves; the Japanese prompts want a CJK font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_GENERATOR DEB)
include(CPack)
