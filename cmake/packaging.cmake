# Installing the program (make install) and its Debian package (make package).
#
# The executable goes to bin/, its read-only data to share/tockara/ and its
# on-demand modules (the archive reader, the CD drive) to lib/tockara/modules/. The
# program finds those folders from its own (bin/../share/tockara,
# bin/../lib/tockara/modules) and seeds each user's program folder from the data, so
# these paths stay as they are whatever the prefix. The libraries of the
# source folders are static and linked into the executable, and nothing of
# the build tree (no RPATH, no build path) is needed to run it, nor kept in
# it (cmake/forget_build_paths.cmake).

set(TOCKARA_MAINTAINER "Tockara maintainers <maintainers@users.noreply.c-seed-4ebf194d.example>")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS tockara RUNTIME DESTINATION bin)
# After the executable and the modules are in place.
get_property(tockara_modules GLOBAL PROPERTY TOCKARA_MODULES)
set(installed_modules)
foreach(module ${tockara_modules})
  list(APPEND installed_modules
       "\${root}/${TOCKARA_MODULE_INSTALL_DIR}/$<TARGET_FILE_NAME:${module}>")
endforeach()
install(CODE "
  set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  set(STRIP \"${CMAKE_STRIP}\")
  set(OBJCOPY \"${CMAKE_OBJCOPY}\")
  set(PROGRAM \"\${root}/bin/$<TARGET_FILE_NAME:tockara>\")
  set(MODULES \"${installed_modules}\")
  include(\"${PROJECT_SOURCE_DIR}/cmake/forget_build_paths.cmake\")")
install(FILES data/Calender.ini DESTINATION share/tockara)
install(DIRECTORY data/help data/anime data/sounds DESTINATION share/tockara)

# The desktop's launcher entry, the software centres' description and the icon.
install(FILES ${packaging}/${TOCKARA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${packaging}/${TOCKARA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES data/icons/tockara-${size}.png RENAME tockara.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES data/icons/tockara.svg DESTINATION share/icons/hicolor/scalable/apps)

# The manual page and the changelog, compressed as Debian keeps them (no time
# stamp in the header, so the same sources give the same package).
set(docs ${PROJECT_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${docs}/tockara.1.gz ${docs}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${docs}
  COMMAND sh -c "gzip -9n < '${packaging}/tockara.1' > '${docs}/tockara.1.gz'"
  COMMAND sh -c "gzip -9n < '${packaging}/changelog' > '${docs}/changelog.gz'"
  DEPENDS ${packaging}/tockara.1 ${packaging}/changelog
  VERBATIM)
add_custom_target(tockara_docs ALL DEPENDS ${docs}/tockara.1.gz ${docs}/changelog.gz)
install(FILES ${docs}/tockara.1.gz DESTINATION share/man/man1)
install(FILES ${docs}/changelog.gz ${packaging}/copyright DESTINATION share/doc/tockara)
# The help page lies with the data, not under share/doc: the program copies it
# into each user's program folder and opens it from there.
install(FILES ${packaging}/lintian-overrides RENAME tockara DESTINATION share/lintian/overrides)

# A new version needs its entry in the changelog and a release in the metainfo.
file(STRINGS ${packaging}/changelog changelog_head LIMIT_COUNT 1)
file(READ ${packaging}/${TOCKARA_APP_ID}.metainfo.xml metainfo)
string(FIND "${metainfo}" "<release version=\"${PROJECT_VERSION}\"" release_at)
if(NOT changelog_head MATCHES "^tockara \\(${PROJECT_VERSION}\\)" OR release_at EQUAL -1)
  message(WARNING "packaging/changelog or the metainfo's releases lack version ${PROJECT_VERSION}")
endif()

# The Debian package: the installed tree under /usr. Its library dependencies
# come from the libraries the executable links (dpkg-shlibdeps); what the
# program only runs or reads when present is recommended.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tockara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TOCKARA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "analog desktop clock with a calendar, memo and launcher")
# The summary is the description's first line; this is the rest.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tockara is an analog clock in a small borderless elliptic window that stays
above all other windows and can be dragged anywhere on the desktop. Its face
shows a colour or a picture, the date and time as outlined text and an
animated figure. Its right-click menu gathers small desktop tools: a month
calendar with Japanese national holidays and a diary, three alarms, a quick
memo, a launcher, extraction of ZIP, LZH and ARJ archives dropped on the
clock, the wallpaper, the display resolution and a calculator.
.
Its texts are Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What a Japanese desktop needs even when Recommends are not installed: a
# Japanese font (without one every text is boxes), the toolkit's own texts
# (standard buttons, choosers) in Japanese, and xdg-open, which opens
# documents, folders and the help page.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-japanese-gothic, qt6-translations-l10n, xdg-utils")
# Japanese input through a Qt 6 input method module (fcitx5's Qt 6 front end,
# or ibus, whose module comes with Qt); 7-Zip extracts ARJ archives; the
# media framework's decoders and outputs for the alarms' sounds.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fcitx5-frontend-qt6 | ibus, 7zip, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
