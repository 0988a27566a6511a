if(NOT "files" IN_LIST WAVIX_FOLDERS OR NOT "mux" IN_LIST WAVIX_FOLDERS)
  return()
endif()

# Configuration files (*.WFD) and multiplexer setups (*.MUX, "mux.sav") as found on disk.
wavix_fuzz_target(wfd_reader_fuzz ${CMAKE_CURRENT_LIST_DIR}/wfd_reader_fuzz.cpp)
target_link_libraries(wfd_reader_fuzz PRIVATE wavix_files)
wavix_fuzz_target(mux_reader_fuzz ${CMAKE_CURRENT_LIST_DIR}/mux_reader_fuzz.cpp)
target_link_libraries(mux_reader_fuzz PRIVATE wavix_mux)
