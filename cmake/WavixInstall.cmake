# What `cmake --install` puts where: the programs, the two shared libraries with their
# headers, a CMake package and pkg-config files for programmers, and the desktop entries,
# icons and man pages from packaging/. Every rule is guarded by its target, so a narrowed
# build (WAVIX_FOLDERS) installs what it built and a program still to come is picked up as
# soon as its target exists.
#
# Components: `wavix` (WAVIX, wavix-cli, rfx410-sim, and libplotbase and libdynaview as
# they are loaded at run time), `tools` (dynaview-demo, dynaview-feed), `dev` (headers, the
# linker's names, the CMake package, pkg-config files). The Debian packages follow them
# (cmake/WavixPackage.cmake, which says why the libraries travel with WAVIX).

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# The libraries sit in one folder; each finds its sibling and each program finds them
# relative to where it is installed, so an installation can live under any prefix. Under
# /usr (the packages) the system's own library path finds them and no search path is set.
set(_wavix_set_rpath TRUE)
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(_wavix_set_rpath FALSE)
endif()
file(RELATIVE_PATH _wavix_bin_to_lib
  ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR})

function(wavix_install_programs component)
  foreach(program ${ARGN})
    if(TARGET ${program})
      if(_wavix_set_rpath)
        set_target_properties(${program} PROPERTIES INSTALL_RPATH "$ORIGIN/${_wavix_bin_to_lib}")
      endif()
      install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
    endif()
  endforeach()
endfunction()

wavix_install_programs(wavix wavix wavix-cli rfx410-sim)
wavix_install_programs(tools dynaview-demo dynaview-feed)

# The shared libraries. SOVERSION is the major number of the library's binary interface:
# it goes up whenever a change breaks programs built against the previous one.
set(WAVIX_DYNAVIEW_SOVERSION 1)
set(WAVIX_DYNAVIEW_VERSION 1.0.0)
if(TARGET plotbase)
  set_target_properties(plotbase PROPERTIES VERSION 1.0.0 SOVERSION 1)
endif()
if(TARGET dynaview)
  get_target_property(WAVIX_DYNAVIEW_SOVERSION dynaview SOVERSION)
  get_target_property(WAVIX_DYNAVIEW_VERSION dynaview VERSION)
endif()
foreach(library plotbase dynaview)
  if(TARGET ${library})
    if(_wavix_set_rpath)
      set_target_properties(${library} PROPERTIES INSTALL_RPATH "$ORIGIN")
    endif()
    install(TARGETS ${library}
      LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT wavix NAMELINK_COMPONENT dev)
  endif()
endforeach()

if(TARGET plotbase)
  file(GLOB _plotbase_headers ${PROJECT_SOURCE_DIR}/plotbase/*.h)
  install(FILES ${_plotbase_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/plotbase COMPONENT dev)
endif()

if(TARGET dynaview)
  set(_dv_headers ${PROJECT_SOURCE_DIR}/dynaview/include/dynaview.h)
  if(EXISTS ${PROJECT_SOURCE_DIR}/dynaview/include/dynaview_cxx.h)
    list(APPEND _dv_headers ${PROJECT_SOURCE_DIR}/dynaview/include/dynaview_cxx.h)
  endif()
  install(FILES ${_dv_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/dynaview COMPONENT dev)

  # The CMake package: find_package(dynaview) gives the imported target dynaview::dynaview.
  # It is written by hand rather than exported: the C interface needs nothing but its
  # header and the library, and the project's internal static libraries stay private.
  set(_dv_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/dynaview)
  configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/cmake/dynaviewConfig.cmake.in
    ${PROJECT_BINARY_DIR}/packaging/dynaviewConfig.cmake
    INSTALL_DESTINATION ${_dv_cmake_dir}
    PATH_VARS CMAKE_INSTALL_INCLUDEDIR CMAKE_INSTALL_LIBDIR)
  # A program built against 1.x runs with any later 1.x; a new soname is a new major version.
  write_basic_package_version_file(${PROJECT_BINARY_DIR}/packaging/dynaviewConfigVersion.cmake
    VERSION ${WAVIX_DYNAVIEW_VERSION} COMPATIBILITY SameMajorVersion)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/dynaviewConfig.cmake
                ${PROJECT_BINARY_DIR}/packaging/dynaviewConfigVersion.cmake
    DESTINATION ${_dv_cmake_dir} COMPONENT dev)
endif()

# pkg-config files; prefix is where the .pc file is, so a moved installation still works.
foreach(library plotbase dynaview)
  if(TARGET ${library})
    file(RELATIVE_PATH _pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
    set(PC_PREFIX "\${pcfiledir}/${_pc_to_prefix}")
    string(REGEX REPLACE "/$" "" PC_PREFIX "${PC_PREFIX}")
    set(PC_VERSION ${WAVIX_DYNAVIEW_VERSION})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/pkgconfig/${library}.pc.in
      ${PROJECT_BINARY_DIR}/packaging/${library}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/packaging/${library}.pc
      DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
  endif()
endforeach()

# Desktop entries and icons.
if(TARGET wavix)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/desktop/wavix.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT wavix)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/wavix.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT wavix)
endif()
if(TARGET dynaview-demo)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/desktop/dynaview-demo.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT tools)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/dynaview-demo.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT tools)
endif()

# Man pages, made at build time from packaging/man/<program>.1.scd with scdoc.
find_program(WAVIX_GZIP gzip)
find_program(WAVIX_SCDOC scdoc)
set(_man_pages)
foreach(pair wavix:wavix wavix-cli:wavix rfx410-sim:wavix dynaview-demo:tools dynaview-feed:tools)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 program)
  list(GET pair 1 component)
  set(source ${PROJECT_SOURCE_DIR}/packaging/man/${program}.1.scd)
  if(NOT TARGET ${program} OR NOT EXISTS ${source})
    continue()
  endif()
  if(NOT WAVIX_SCDOC OR NOT WAVIX_GZIP)
    message(STATUS "scdoc or gzip not found: the man pages are not built (Debian package scdoc)")
    break()
  endif()
  # Compressed, as man pages are installed on Debian (-n: the same bytes on every build).
  set(page ${PROJECT_BINARY_DIR}/packaging/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/packaging/man
    COMMAND sh -c "\"$0\" < \"$1\" | gzip -9n > \"$2\"" ${WAVIX_SCDOC} ${source} ${page}
    DEPENDS ${source}
    COMMENT "Man page ${program}(1)"
    VERBATIM)
  list(APPEND _man_pages ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endforeach()
if(_man_pages)
  add_custom_target(man_pages ALL DEPENDS ${_man_pages})
endif()
