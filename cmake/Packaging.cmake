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
#   share/doc/tessaly/                                README.md, NOTICE, json.md, copyright,
#                                                    changelog.Debian.gz
#   share/lintian/overrides/tessaly                   lintian's reports the package means
#
# data/linux/changelog, in the form of a Debian changelog, is the one list of
# releases: its newest entry gives the package's version (the project version
# and the Debian revision), its maintainer and the time of reproducible
# builds; each entry becomes a release of the AppStream file.

# AppStream takes screenshots from the web only: with no web home there is
# no screenshot element (docs/main-window.png is the picture to publish).
set(TESSALY_APPSTREAM_SCREENSHOT "" CACHE STRING
    "Web address of docs/main-window.png for the AppStream metadata; empty: no screenshot")

set(_linux ${PROJECT_SOURCE_DIR}/data/linux)
set(_gen ${PROJECT_BINARY_DIR}/linux)
set(_id org.tessaly.Tessaly)
file(MAKE_DIRECTORY ${_gen})

# ---- The changelog ----
# Seconds since 1970 of a UTC day and time.
function(_tessaly_epoch year month day seconds out)
  # Days from civil (H. Hinnant), for years after 1970.
  if(month LESS_EQUAL 2)
    math(EXPR year "${year} - 1")
    math(EXPR _mp "${month} + 9")
  else()
    math(EXPR _mp "${month} - 3")
  endif()
  math(EXPR _era "${year} / 400")
  math(EXPR _yoe "${year} - ${_era} * 400")
  math(EXPR _doy "(153 * ${_mp} + 2) / 5 + ${day} - 1")
  math(EXPR _doe "${_yoe} * 365 + ${_yoe} / 4 - ${_yoe} / 100 + ${_doy}")
  math(EXPR _days "${_era} * 146097 + ${_doe} - 719468")
  math(EXPR _epoch "${_days} * 86400 + ${seconds}")
  set(${out} ${_epoch} PARENT_SCOPE)
endfunction()

function(_tessaly_xml_text text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_linux}/changelog)
file(READ ${_linux}/changelog _changelog)
# One list item per line: a ";" of the text waits as "@semicolon@" meanwhile.
string(REPLACE ";" "@semicolon@" _changelog "${_changelog}")
string(REPLACE "\n" ";" _changelog_lines "${_changelog}")
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(_releases "")
set(_items "")
set(_item "")
set(_newest_version "")
foreach(_line IN LISTS _changelog_lines)
  if(_line MATCHES "^tessaly \\(([^)]+)\\) ")
    set(_version ${CMAKE_MATCH_1})
    set(_items "")
  elseif(_line MATCHES "^  \\* (.*)$")
    if(NOT _item STREQUAL "")
      list(APPEND _items "${_item}")
    endif()
    set(_item "${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^    (.*)$")
    string(APPEND _item " ${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^ -- (.+ <[^>]+>)  [A-Z][a-z][a-z], ([0-9]+) ([A-Z][a-z][a-z]) ([0-9]+) ([0-9][0-9]):([0-9][0-9]):([0-9][0-9]) ([-+])([0-9][0-9][0-9][0-9])$")
    list(APPEND _items "${_item}")
    set(_item "")
    set(_who "${CMAKE_MATCH_1}")
    set(_day ${CMAKE_MATCH_2})
    list(FIND _months ${CMAKE_MATCH_3} _month)
    math(EXPR _month "${_month} + 1")
    set(_year ${CMAKE_MATCH_4})
    math(EXPR _seconds "${CMAKE_MATCH_5} * 3600 + ${CMAKE_MATCH_6} * 60 + ${CMAKE_MATCH_7}")
    # The zone: +HHMM is ahead of UTC.
    string(SUBSTRING ${CMAKE_MATCH_9} 0 2 _zh)
    string(SUBSTRING ${CMAKE_MATCH_9} 2 2 _zm)
    math(EXPR _offset "${_zh} * 3600 + ${_zm} * 60")
    if(CMAKE_MATCH_8 STREQUAL "+")
      math(EXPR _seconds "${_seconds} - ${_offset}")
    else()
      math(EXPR _seconds "${_seconds} + ${_offset}")
    endif()
    if(_newest_version STREQUAL "")
      set(_newest_version ${_version})
      set(TESSALY_PACKAGE_MAINTAINER "${_who}")
      _tessaly_epoch(${_year} ${_month} ${_day} ${_seconds} TESSALY_SOURCE_DATE_EPOCH)
    endif()
    string(LENGTH "0${_month}" _len)
    math(EXPR _len "${_len} - 2")
    string(SUBSTRING "0${_month}" ${_len} 2 _mm)
    string(LENGTH "0${_day}" _len)
    math(EXPR _len "${_len} - 2")
    string(SUBSTRING "0${_day}" ${_len} 2 _dd)
    string(APPEND _releases "    <release version=\"${_version}\" date=\"${_year}-${_mm}-${_dd}\">\n"
                            "      <description>\n        <ul>\n")
    foreach(_i IN LISTS _items)
      string(REPLACE "@semicolon@" ";" _i "${_i}")
      _tessaly_xml_text("${_i}" _i)
      string(APPEND _releases "          <li>${_i}</li>\n")
    endforeach()
    string(APPEND _releases "        </ul>\n      </description>\n    </release>\n")
  endif()
endforeach()
if(NOT _newest_version MATCHES "^([^-]+)-([^-]+)$")
  message(FATAL_ERROR "data/linux/changelog: the newest entry needs a version VERSION-REVISION, got '${_newest_version}'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "data/linux/changelog: the newest entry is for ${CMAKE_MATCH_1}, the project is ${PROJECT_VERSION}")
endif()
set(TESSALY_PACKAGE_REVISION ${CMAKE_MATCH_2})
set(TESSALY_APPSTREAM_RELEASES "${_releases}")
if(TESSALY_APPSTREAM_SCREENSHOT STREQUAL "")
  set(TESSALY_APPSTREAM_SCREENSHOTS "")
else()
  set(TESSALY_APPSTREAM_SCREENSHOTS
      "  <screenshots>\n    <screenshot type=\"default\">\n      <caption>The main window after a matching run</caption>\n      <image>${TESSALY_APPSTREAM_SCREENSHOT}</image>\n    </screenshot>\n  </screenshots>\n")
endif()
file(COPY_FILE ${_linux}/changelog ${_gen}/changelog.Debian)
execute_process(COMMAND gzip -9nf ${_gen}/changelog.Debian COMMAND_ERROR_IS_FATAL ANY)

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

# Documents. The copyright file (machine-readable, data/linux/copyright)
# holds the licence, so LICENSE itself is not installed again.
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/NOTICE ${PROJECT_SOURCE_DIR}/docs/json.md
              ${_linux}/copyright ${_gen}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessaly)
# What lintian reports and the package means, each with its reason.
install(FILES ${_linux}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME tessaly)

# The Debian package. Its dependencies are computed from the programs'
# shared libraries (dpkg-shlibdeps, package dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VENDOR "The Tessaly developers")
set(CPACK_PACKAGE_CONTACT "${TESSALY_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSALY_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TESSALY_PACKAGE_REVISION})
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
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libopencc-data")  # OpenCC's dictionaries, for Traditional Chinese
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Chinese text needs a CJK font (any of these will do), and Qt's own texts
# (standard buttons, the file and print dialogs) their Chinese translation.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei | fonts-noto-cjk | fonts-arphic-uming, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "bash-completion")
# Two packages of one commit are the same file: the time stamps in the
# archives are the time of the newest changelog entry, unless
# SOURCE_DATE_EPOCH is given.
file(WRITE ${_gen}/CPackProjectConfig.cmake
     "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n  set(ENV{SOURCE_DATE_EPOCH} ${TESSALY_SOURCE_DATE_EPOCH})\nendif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${_gen}/CPackProjectConfig.cmake)
include(CPack)
