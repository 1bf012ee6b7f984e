# Installing Gravelwright as a desktop application (`cmake --install`) and packaging it (CPack).
# Included from the top level after the program's targets exist.
include_guard(GLOBAL)
include(GNUInstallDirs)

# Windows installs and packs a portable folder through gw_windows_deploy (cmake/GwWindows.cmake).
if(WIN32)
  return()
endif()

set(GW_APP_ID org.gravelwright.Gravelwright)

if(TARGET gravelwright)
  install(TARGETS gravelwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET gravelwright-cli)
  install(TARGETS gravelwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

# The freedesktop pieces around the program: menu entry, software-centre data, file type, icons, licence.
if(UNIX AND NOT APPLE AND TARGET gravelwright)
  set(dist ${PROJECT_SOURCE_DIR}/dist)
  install(FILES ${dist}/linux/${GW_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${dist}/linux/${GW_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${dist}/linux/${GW_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${GW_APP_ID}.xml)
  install(FILES ${dist}/icons/${GW_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${dist}/linux/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/gravelwright)

  # The fixed-size icons are drawn from the one SVG at build time, so they never drift from it.
  find_program(GW_RSVG_CONVERT rsvg-convert REQUIRED)
  set(icon_outputs "")
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${PROJECT_BINARY_DIR}/icons/${size}x${size}/${GW_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${GW_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${dist}/icons/${GW_APP_ID}.svg
      DEPENDS ${dist}/icons/${GW_APP_ID}.svg
      COMMENT "Drawing the ${size} px icon")
    list(APPEND icon_outputs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(gw_icons ALL DEPENDS ${icon_outputs})
endif()

# The package: what it is, and in which formats it is made.
set(CPACK_PACKAGE_NAME gravelwright)
set(CPACK_PACKAGE_VENDOR "The Gravelwright developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Car setup editor for the rally simulation Toven Rally")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Gravelwright lists the car setups saved in Toven Rally and shows every adjustable\n"
  "parameter as a slider in physical units; saving changes only the values that\n"
  "really changed. It also copies values between setups, extracts setups from\n"
  "replays, edits the game's options and manages its replay music.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://gravelwright.org/")
set(CPACK_PACKAGE_CONTACT "The Gravelwright developers <developers@gravelwright.org>")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

# The one place where each system's package formats are chosen.
if(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon through a plugin that the program does not link, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
if(Qt6Core_VERSION)
  # View > Zoom uses Qt's private scaling API, which holds for the one Qt version built against only.
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-base-abi (= ${Qt6Core_VERSION})")
endif()
# The game runs under Wine on Linux; Gravelwright starts it there.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
# Menu, file-type and icon caches are refreshed by the triggers of desktop-file-utils, shared-mime-info and
# the icon theme; the package needs no scripts of its own.

include(CPack)
