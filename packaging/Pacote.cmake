# What `cmake --install` places, and the Debian package CPack builds from it (`make deb`).
include(GNUInstallDirs)
install(TARGETS velto velto-banco velto-relatorio RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Stripped for the package, the programs also lose the compiler's .comment section, as dh_strip
# would do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(programa velto velto-banco velto-relatorio)
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${programa}\" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velto.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/velto.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_LIST_DIR}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Compressed as Debian's tools would: -n leaves the name and time out, so each build gives the
# same bytes.
function(velto_gzip fonte destino)
  add_custom_command(OUTPUT ${destino} COMMAND gzip -9n -c ${fonte} > ${destino} DEPENDS ${fonte}
    VERBATIM)
endfunction()
velto_gzip(${CMAKE_CURRENT_LIST_DIR}/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
# One troff source per program's page; the version comes from the project.
set(paginas)
foreach(programa velto velto-banco velto-relatorio)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/man/${programa}.1 ${CMAKE_BINARY_DIR}/man/${programa}.1 @ONLY)
  velto_gzip(${CMAKE_BINARY_DIR}/man/${programa}.1 ${CMAKE_BINARY_DIR}/man/${programa}.1.gz)
  list(APPEND paginas ${CMAKE_BINARY_DIR}/man/${programa}.1.gz)
endforeach()
add_custom_target(velto_doc ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz ${paginas})
install(FILES ${paginas} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velto)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velto")
set(CPACK_PACKAGE_CONTACT "Equipe Velto <equipe@velto.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Relógio de ponto com cartões de código de barras")
# Lines within 80 characters, for a terminal of that width.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Os funcionários registram entrada e saída passando o cartão de código de\n"
    "barras no terminal; o administrador mantém funcionários, horários, feriados\n"
    "e horas combinadas, corrige pontos e imprime cartões de ponto e etiquetas.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The control files as dpkg-deb itself would write them (0644), which lintian expects.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the programs link come from dpkg-shlibdeps; what Qt loads at run time (the
# window system, the SVG icon) and the fonts of the reports are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups")
include(CPack)
