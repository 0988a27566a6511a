if(NOT "dynaview" IN_LIST WAVIX_FOLDERS)
  return()
endif()
# A bar graph update: the pixels it repaints against the pixels that change.
add_executable(bench_dynaview_bars ${CMAKE_CURRENT_LIST_DIR}/dynaview_bars.cpp)
wavix_warnings(bench_dynaview_bars)
target_link_libraries(bench_dynaview_bars PRIVATE wavix_bench_offscreen_main dynaview wavix_platform_doubles benchmark::benchmark Qt6::Widgets Qt6::Test)
