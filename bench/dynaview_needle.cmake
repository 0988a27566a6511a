if(NOT "dynaview" IN_LIST WAVIX_FOLDERS)
  return()
endif()
# A meter's needle update: the area it repaints against the needles' own box, and its time
# against repainting the whole dial.
add_executable(bench_dynaview_needle ${CMAKE_CURRENT_LIST_DIR}/dynaview_needle.cpp)
wavix_warnings(bench_dynaview_needle)
target_include_directories(bench_dynaview_needle PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_dynaview_needle PRIVATE dynaview wavix_platform_doubles benchmark::benchmark Qt6::Widgets)
