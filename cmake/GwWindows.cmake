# Windows: the test framework and test runner when cross-compiling, the program's manifest, icon and version
# resource, and the portable zip that holds everything the program needs beside it.
include_guard(GLOBAL)

set(GW_WINDOWS_DIST ${PROJECT_SOURCE_DIR}/dist/windows)

# Debian has GoogleTest for the host only; its source (package googletest) builds for MinGW as well.
macro(gw_windows_find_gtest)
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(GTest REQUIRED)
  else()
    set(GW_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source folder, built along for Windows")
    if(NOT EXISTS ${GW_GTEST_SOURCE}/CMakeLists.txt)
      message(FATAL_ERROR "No GoogleTest for Windows: install the package googletest (source in /usr/src/googletest) "
                          "or set GW_GTEST_SOURCE to a GoogleTest source folder.")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${GW_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
    foreach(lib gtest gtest_main gmock gmock_main)
      if(NOT TARGET GTest::${lib})
        add_library(GTest::${lib} ALIAS ${lib})
      endif()
    endforeach()
  endif()
  if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    # Test discovery and ctest run the Windows test programs under Wine, through a runner that retries
    # when Wine fails to start a program at all.
    find_program(GW_WINE NAMES wine wine64)
    if(GW_WINE)
      set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh)
    endif()
  endif()
endmacro()

# Test programs carry the runtime inside (Wine does not find the MinGW DLLs otherwise); UI tests use Qt's
# DLLs, so they take the runtime DLLs from WINEPATH instead (see the Windows steps of .ci/run).
function(gw_windows_test_options target ui)
  if(NOT ui)
    target_link_options(${target} PRIVATE -static)
  endif()
  gw_windows_manifest(${target} "")
endfunction()

# The manifest (UTF-8 as the code page of every 8-bit text, per-monitor DPI awareness, common controls 6)
# and, with an icon file, the icon and version resource.
function(gw_windows_manifest target icon)
  set(GW_RC_NAME ${target})
  set(GW_RC_MANIFEST ${GW_WINDOWS_DIST}/gravelwright.manifest)
  set(GW_RC_ICON_LINE "")
  if(icon)
    set(GW_RC_ICON_LINE "1 ICON \"${icon}\"")
  endif()
  set(GW_RC_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(GW_RC_VERSION "${PROJECT_VERSION}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resource.rc)
  configure_file(${GW_WINDOWS_DIST}/gravelwright.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${GW_RC_MANIFEST} ${icon})
endfunction()

# Everything a player needs beside the executable: Qt's DLLs and the plugins the program loads, the MinGW
# runtime DLLs, a README and the licence; then a portable zip of it (cpack -G ZIP).
function(gw_windows_deploy target)
  gw_windows_manifest(${target} ${GW_WINDOWS_DIST}/gravelwright.ico)
  install(TARGETS ${target} RUNTIME DESTINATION .)
  if(TARGET gravelwright-cli)
    install(TARGETS gravelwright-cli RUNTIME DESTINATION .)
  endif()

  # Qt: shared, beside the program, so that a player may replace the DLLs.
  foreach(module Core Gui Widgets)
    install(FILES $<TARGET_FILE:Qt6::${module}> DESTINATION .)
  endforeach()
  get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
  if(NOT qt_core_dll)
    get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION)
  endif()
  get_filename_component(qt_prefix ${qt_core_dll} DIRECTORY)
  get_filename_component(qt_prefix ${qt_prefix} DIRECTORY)
  install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION platforms)
  install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)

  # The compiler's runtime, found where the compiler keeps it.
  set(runtime "")
  foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE found
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
      find_file(found_${dll} ${dll} PATHS /usr/${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32/lib NO_DEFAULT_PATH)
      set(found ${found_${dll}})
    endif()
    if(NOT found OR NOT EXISTS "${found}")
      message(FATAL_ERROR "The MinGW runtime ${dll} was not found beside ${CMAKE_CXX_COMPILER}.")
    endif()
    list(APPEND runtime ${found})
  endforeach()
  install(FILES ${runtime} DESTINATION .)

  # A qt.conf keeps Qt from looking for plugins anywhere but beside the program.
  install(FILES ${GW_WINDOWS_DIST}/qt.conf ${GW_WINDOWS_DIST}/README.txt DESTINATION .)
  if(EXISTS ${PROJECT_SOURCE_DIR}/LICENSE)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
  endif()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME Gravelwright)
  set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
  set(CPACK_PACKAGE_VENDOR Gravelwright)
  set(CPACK_PACKAGE_FILE_NAME Gravelwright-${PROJECT_VERSION}-windows-x64)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
  include(CPack)
endfunction()
