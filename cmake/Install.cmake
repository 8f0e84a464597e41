# The installed layout keeps the build's: every program and tool in one folder,
# lib/sonorelle, with languages/ beside them. The program finds its tools next to its
# own executable, which the system reports with links resolved, so the programs a
# person starts are links in bin/ to that folder.
include(GNUInstallDirs)
set(SONORELLE_PROGRAM_DIR lib/sonorelle)

install(TARGETS sonorelle sonorelle-cli sonorelle-reg addon1 addon2 addon3 sndview
        RUNTIME DESTINATION ${SONORELLE_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/languages DESTINATION ${SONORELLE_PROGRAM_DIR})
foreach(program sonorelle sonorelle-cli sonorelle-reg)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK ../${SONORELLE_PROGRAM_DIR}/${program} \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing link: \${link}\")")
endforeach()

install(FILES data/org.sonorelle.Sonorelle.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/org.sonorelle.Sonorelle.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/org.sonorelle.Sonorelle.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonorelle)
set(CPACK_PACKAGE_VENDOR "The Sonorelle developers")
set(CPACK_PACKAGE_CONTACT "The Sonorelle developers <sonorelle@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Puts your own songs into the soundtrack of Kickvale 09")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Playing songs goes through GStreamer's decoders, which no library link names.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, wine")
# Only the programs are packed: the tests and benchmarks install nothing.
set(CPACK_STRIP_FILES ON)
include(CPack)
