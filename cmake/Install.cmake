# Installing in the Debian games layout under any prefix, and the .deb and
# .tar.gz packages of that tree. Nothing installed names its prefix except the
# launcher entry, which must start the executable where it was put.
set(VN_APP_ID org.vornadel.Vornadel)   # the desktop entry, icon and metadata all go by it
set(VN_DATA_DESTINATION share/games/vornadel)
set(VN_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(VN_ICON_DIR ${CMAKE_BINARY_DIR}/icons)

# The icon in every size, painted by the data generator.
add_custom_command(
  OUTPUT ${VN_ICON_DIR}/.icons-stamp
  COMMAND vngen --icons ${VN_ICON_DIR} ${VN_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${VN_ICON_DIR}/.icons-stamp
  DEPENDS vngen
  COMMENT "Painting the launcher icons"
  VERBATIM)
add_custom_target(icons ALL DEPENDS ${VN_ICON_DIR}/.icons-stamp)

# The release date stands beside the version in the metadata's release list. Its
# screenshot is dist/screenshots/castle.png, published under the URL it names.
set(VN_RELEASE_DATE 2026-12-09)
configure_file(dist/vornadel.metainfo.xml.in ${VN_DIST_DIR}/${VN_APP_ID}.metainfo.xml @ONLY)
configure_file(dist/vornadel.6.in ${VN_DIST_DIR}/vornadel.6 @ONLY)
# The executable's path is only known at install time: kept for the second pass.
set(VN_INSTALLED_EXECUTABLE "@VN_INSTALLED_EXECUTABLE@")
configure_file(dist/vornadel.desktop.in ${VN_DIST_DIR}/vornadel.desktop.in @ONLY)

install(TARGETS vornadel RUNTIME DESTINATION games)
install(DIRECTORY ${VN_GAME_DIR}/gfx ${VN_GAME_DIR}/sfx ${VN_GAME_DIR}/map DESTINATION ${VN_DATA_DESTINATION}
        PATTERN comicbd.ttf EXCLUDE)
install(FILES ${VN_GAME_DIR}/data/keycodes.dat DESTINATION ${VN_DATA_DESTINATION}/data)
# The font belongs to the font package: linked, not copied, as Debian wants it.
install(CODE "
  set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VN_DATA_DESTINATION}/gfx/comicbd.ttf\")
  message(STATUS \"Installing: \${link} -> ${VN_FONT_SOURCE}\")
  file(REMOVE \"\${link}\")
  file(CREATE_LINK \"${VN_FONT_SOURCE}\" \"\${link}\" SYMBOLIC)")
install(DIRECTORY ${VN_ICON_DIR}/ DESTINATION share/icons/hicolor PATTERN .icons-stamp EXCLUDE)
install(FILES ${VN_DIST_DIR}/${VN_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${VN_DIST_DIR}/vornadel.6 DESTINATION share/man/man6)
install(CODE "
  set(VN_INSTALLED_EXECUTABLE \"\${CMAKE_INSTALL_PREFIX}/games/vornadel\")
  set(entry \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/share/applications/${VN_APP_ID}.desktop\")
  message(STATUS \"Installing: \${entry}\")
  configure_file(\"${VN_DIST_DIR}/vornadel.desktop.in\" \"\${entry}\" @ONLY)")

set(CPACK_PACKAGE_NAME vornadel)
set(CPACK_PACKAGE_VENDOR "The Vornadel developers")
set(CPACK_PACKAGE_CONTACT "The Vornadel developers <developers@vornadel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "side-scrolling platform game with a German interface")
set(CPACK_PACKAGE_DESCRIPTION "Steer a figure through a castle, a jungle and a wooden fortress: walk,
jump, climb ladders, hang from ledges, swim, push blocks, ride a boat, aim
and fire guns at patrolling enemies, collect keys, money and ammunition and
open doors with switches and locks. A tutorial level teaches every move.
F1 saves the game, F3 loads it. The game speaks German.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://vornadel.org/)
set(CPACK_GENERATOR DEB TGZ)
# Both packages hold the tree as it lies under /usr. Installing through DESTDIR
# lets the install rules see /usr as the prefix, so the launcher entry names
# /usr/games/vornadel and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-comic-neue)
include(CPack)
