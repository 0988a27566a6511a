# Debian packages from the install components (cmake/WavixInstall.cmake), made by
# scripts/package:
#   wavix              WAVIX, wavix-cli, rfx410-sim, libplotbase.so.1 and libdynaview.so.<N>,
#                      desktop entry, icon, man pages
#   libdynaview-dev    headers, the linker's names, the CMake package, pkg-config files
#   dynaview-tools     dynaview-demo (and dynaview-feed), desktop entry, icon
# The two shared libraries are in the wavix package rather than a libdynaview<N> of their
# own: they come from WAVIX's source tree with its version, and the packages are handed out
# as files, not from an archive, where `apt-get install ./wavix_*.deb` has to be enough.
# Their sonames still change when their binary interface breaks, and the package carries a
# shlibs file so that other packages built against them depend on it correctly.
# Dependencies on other packages are computed by dpkg-shlibdeps from the libraries the
# programs load; those between these packages come from the component dependencies.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wavix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "WAVIX")
set(CPACK_PACKAGE_CONTACT "WAVIX developers <wavix@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RFX410 time-domain reflectometer program and the dynaview library")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://localhost/wavix")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING IGNORE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
# While the packages are made, the project's own libraries are found in the build tree.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/plotbase ${PROJECT_BINARY_DIR}/dynaview)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# A shlibs file for the libraries (in the wavix package): packages built against them
# depend on this version or a later one.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_STRIP_FILES ON)

set(_components)
if(TARGET wavix OR TARGET plotbase OR TARGET dynaview)
  list(APPEND _components wavix)
  set(CPACK_DEBIAN_WAVIX_PACKAGE_NAME wavix)
  # Loaded by Qt at run time, so no library dependency names it: without a platform
  # plugin the program cannot open a window.
  set(CPACK_DEBIAN_WAVIX_PACKAGE_DEPENDS qt6-qpa-plugins)
  string(CONCAT CPACK_COMPONENT_WAVIX_DESCRIPTION
    "RFX410 time-domain reflectometer: waveforms, water content and bulk EC\n"
    "WAVIX acquires reflection waveforms from an RFX410 over a serial line, turns them into\n"
    "volumetric water content and bulk electrical conductivity, steps through multiplexed\n"
    "probes and upgrades the instrument. wavix-cli runs the same link and measurements\n"
    "without a window; rfx410-sim is a simulated instrument on a pseudo-terminal. The\n"
    "package also holds the shared libraries plotbase (charts) and dynaview (real-time\n"
    "graphics objects).")
endif()
if(TARGET dynaview)
  list(APPEND _components dev)
  set(CPACK_DEBIAN_DEV_PACKAGE_NAME libdynaview-dev)
  set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
  set(CPACK_COMPONENT_DEV_DEPENDS wavix)
  # plotbase's C++ headers and plotbase.pc (Requires: Qt6Core ...) need Qt's development
  # files; dpkg-shlibdeps cannot see that, since headers load nothing.
  set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS qt6-base-dev)
  string(CONCAT CPACK_COMPONENT_DEV_DESCRIPTION
    "real-time graphics objects for plotbase pages (development files)\n"
    "dynaview draws scrolling graphs, meters, bar graphs, alarms, PID loops and text objects\n"
    "fed with live values. This package holds the C header dynaview.h, plotbase's C++\n"
    "headers, and what lets a program find the libraries: find_package(dynaview) in CMake,\n"
    "pkg-config dynaview or plotbase.")
endif()
if(TARGET dynaview-demo OR TARGET dynaview-feed)
  list(APPEND _components tools)
  set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME dynaview-tools)
  set(CPACK_COMPONENT_TOOLS_DEPENDS wavix)
  set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS qt6-qpa-plugins)
  string(CONCAT CPACK_COMPONENT_TOOLS_DESCRIPTION
    "dynaview demonstration and data feed programs\n"
    "dynaview-demo shows dynaview's live displays and alarms on a simulated heated tank;\n"
    "dynaview-feed publishes values for dynaview's data link from standard input or\n"
    "generated, on the session bus or an MQTT broker.")
endif()
set(CPACK_COMPONENTS_ALL ${_components})

include(CPack)
