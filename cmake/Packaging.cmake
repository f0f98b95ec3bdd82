# Installing Tessaly as a Linux program, and its Debian package.
#
#   cmake --install build [--prefix /usr/local]      install
#   (cd build && cpack -G DEB)                        build tessaly_<version>_<arch>.deb
#
# Layout under the prefix:
#   bin/tessaly, bin/tessaly-cli
#   share/tessaly/dat/, share/tessaly/skins/          the shipped files (read only;
#                                                    each user's copy of dat/ is made
#                                                    in $XDG_DATA_HOME/tessaly)
#   share/applications/org.tessaly.Tessaly.desktop    the menu entry
#   share/metainfo/org.tessaly.Tessaly.metainfo.xml   AppStream metadata
#   share/icons/hicolor/*/apps/org.tessaly.Tessaly.*  the icon
#   share/man/man1/tessaly.1.gz, tessaly-cli.1.gz
#   share/bash-completion/completions/tessaly-cli
#   share/doc/tessaly/                                README.md, LICENSE, NOTICE, copyright

set(TESSALY_SCREENSHOT_URL "https://tessaly.invalid/screenshots/main-window.png" CACHE STRING
    "Web address of docs/main-window.png, for the AppStream metadata")

set(_linux ${PROJECT_SOURCE_DIR}/data/linux)
set(_gen ${PROJECT_BINARY_DIR}/linux)
set(_id org.tessaly.Tessaly)
file(MAKE_DIRECTORY ${_gen})

# Programs.
install(TARGETS tessaly-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET tessaly)
  install(TARGETS tessaly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The shipped files. bazi_f/ is made in each user's folder.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/dat ${PROJECT_SOURCE_DIR}/data/skins
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaly
        PATTERN ".keep" EXCLUDE)

# Desktop integration, with the desktop program.
configure_file(${_linux}/${_id}.metainfo.xml.in ${_gen}/${_id}.metainfo.xml @ONLY)
if(TARGET tessaly)
  install(FILES ${_linux}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_gen}/${_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(DIRECTORY ${_linux}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  install(FILES ${_linux}/icons/${_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${_gen}/tessaly.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# Manual pages and the bash completion; tessaly-cli's are made by the program
# from its commands' own help.
add_custom_command(
  OUTPUT ${_gen}/tessaly-cli.1.gz ${_gen}/tessaly.1.gz ${_gen}/tessaly-cli.bash
  COMMAND sh -c "\"$1\" help --man | gzip -9n > tessaly-cli.1.gz && gzip -9nc \"$2\" > tessaly.1.gz && \"$1\" completion bash > tessaly-cli.bash"
          sh $<TARGET_FILE:tessaly-cli> ${_linux}/tessaly.1
  DEPENDS tessaly-cli ${_linux}/tessaly.1
  WORKING_DIRECTORY ${_gen}
  COMMENT "Manual pages and bash completion"
  VERBATIM)
add_custom_target(tessaly_linux_files ALL DEPENDS ${_gen}/tessaly-cli.1.gz ${_gen}/tessaly.1.gz ${_gen}/tessaly-cli.bash)
install(FILES ${_gen}/tessaly-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_gen}/tessaly-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tessaly-cli)

# Documents; Debian's copyright file is the licence followed by the notice.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _license)
file(READ ${PROJECT_SOURCE_DIR}/NOTICE _notice)
file(WRITE ${_gen}/copyright "${_license}\n\n${_notice}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/NOTICE)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/NOTICE ${_gen}/copyright
              ${PROJECT_SOURCE_DIR}/docs/json.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaly)

# The Debian package. Its dependencies are computed from the programs'
# shared libraries (dpkg-shlibdeps, package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_CONTACT "The Tessaly developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Four Pillars (BaZi) marriage-compatibility analysis")
set(CPACK_PACKAGE_DESCRIPTION
    "Tessaly compares the Four Pillars charts of two persons, computed from an
astronomical calendar of its own, and writes a Chinese report with
personality and marriage readings and a compatibility index. It also
searches wedding dates and keeps a store of analysed couples. The package
holds the desktop program tessaly and the command line tessaly-cli.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Chinese text needs a CJK font; any of these will do.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei | fonts-noto-cjk | fonts-arphic-uming")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
include(CPack)
