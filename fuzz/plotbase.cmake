if(NOT "plotbase" IN_LIST WAVIX_FOLDERS)
  return()
endif()

# Arbitrary bytes as a page file.
wavix_fuzz_target(page_file_fuzz ${CMAKE_CURRENT_LIST_DIR}/page_file_fuzz.cpp)
target_link_libraries(page_file_fuzz PRIVATE plotbase)
