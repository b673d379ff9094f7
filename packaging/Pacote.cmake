# What `cmake --install` places, and the Debian package CPack builds from it (`make deb`).
include(GNUInstallDirs)
install(TARGETS velto velto-banco velto-relatorio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velto.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velto.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velto")
set(CPACK_PACKAGE_CONTACT "Velto <velto@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relógio de ponto com cartões de código de barras")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Os funcionários registram entrada e saída passando o cartão de código de barras no\n"
    "terminal; o administrador mantém funcionários, horários, feriados e horas combinadas,\n"
    "corrige pontos e imprime cartões de ponto e etiquetas.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads at run time (the
# window system, the SVG icon) and the fonts of the reports are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
include(CPack)
