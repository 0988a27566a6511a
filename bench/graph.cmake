if(NOT "graph" IN_LIST WAVIX_FOLDERS)
  return()
endif()
# Drawing a full waveform and repainting the graph page into an image.
add_executable(bench_graph_draw ${CMAKE_CURRENT_LIST_DIR}/graph_draw.cpp)
wavix_warnings(bench_graph_draw)
target_link_libraries(bench_graph_draw PRIVATE wavix_bench_offscreen_main wavix_graph wavix_graph_synthetic wavix_platform_doubles benchmark::benchmark Qt6::Widgets)
