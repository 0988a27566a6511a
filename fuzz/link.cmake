if(NOT "link" IN_LIST WAVIX_FOLDERS)
  return()
endif()
wavix_fuzz_target(link_reply_fuzz ${CMAKE_CURRENT_LIST_DIR}/link_reply_fuzz.cpp)
target_link_libraries(link_reply_fuzz PRIVATE wavix_link wavix_platform_doubles)

# Operating-system files before an upgrade.
wavix_fuzz_target(os_file_fuzz ${CMAKE_CURRENT_LIST_DIR}/os_file_fuzz.cpp)
target_link_libraries(os_file_fuzz PRIVATE wavix_link)
