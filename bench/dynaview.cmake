if(NOT "dynaview" IN_LIST WAVIX_FOLDERS)
  return()
endif()
# A sample pushed into a 3-channel scrolling graph 1000 and 10000 points wide, side by side
# with QCustomPlot appending the same sample and replotting, both on offscreen windows of the
# same size.
find_package(QCustomPlotQt6 CONFIG QUIET PATHS /usr/lib/x86_64-linux-gnu/cmake/QCustomPlotQt6)
if(NOT QCustomPlotQt6_FOUND)
  message(STATUS "QCustomPlot (Qt 6) not found: the scrolling benchmark is left out")
  return()
endif()
add_executable(bench_dynaview_scroll ${CMAKE_CURRENT_LIST_DIR}/dynaview_scroll.cpp)
wavix_warnings(bench_dynaview_scroll)
target_link_libraries(bench_dynaview_scroll PRIVATE wavix_bench_offscreen_main dynaview QCustomPlotQt6::QCustomPlotQt6 benchmark::benchmark Qt6::Widgets)
