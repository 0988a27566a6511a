if(NOT "dynaview" IN_LIST WAVIX_FOLDERS)
  return()
endif()

# Random sequences of calls through dynaview's C interface (the first families).
wavix_fuzz_target(dynaview_api_fuzz ${CMAKE_CURRENT_LIST_DIR}/dynaview_api_fuzz.cpp)
target_link_libraries(dynaview_api_fuzz PRIVATE dynaview wavix_platform_doubles Qt6::Widgets)

# Page files holding dynaview's records, and the records on their own.
wavix_fuzz_target(dynaview_page_fuzz ${CMAKE_CURRENT_LIST_DIR}/dynaview_page_fuzz.cpp)
target_link_libraries(dynaview_page_fuzz PRIVATE dynaview_logic plotbase)
# The texts of the data link (item texts, command lines, service names).
wavix_fuzz_target(dynaview_link_text_fuzz ${CMAKE_CURRENT_LIST_DIR}/dynaview_link_text_fuzz.cpp)
target_link_libraries(dynaview_link_text_fuzz PRIVATE dynaview_logic)

# Random sequences of calls of the later object families (scrolling graphs, bars, PID loops,
# time axes and those that follow), on the session of fuzz/dynaview_fuzz_session.h.
wavix_fuzz_target(dynaview_families_api_fuzz ${CMAKE_CURRENT_LIST_DIR}/dynaview_families_api_fuzz.cpp)
target_link_libraries(dynaview_families_api_fuzz PRIVATE dynaview wavix_platform_doubles Qt6::Widgets)
