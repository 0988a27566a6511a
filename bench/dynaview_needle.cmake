if(NOT "dynaview" IN_LIST WAVIX_FOLDERS)
  return()
endif()
# A meter's needle update: the area it repaints against the needles' own box, and its time
# against repainting the whole dial.
add_executable(bench_dynaview_needle ${CMAKE_CURRENT_LIST_DIR}/dynaview_needle.cpp)
wavix_warnings(bench_dynaview_needle)
target_link_libraries(bench_dynaview_needle PRIVATE wavix_bench_offscreen_main dynaview wavix_platform_doubles benchmark::benchmark Qt6::Widgets)
