if(NOT "sim" IN_LIST WAVIX_FOLDERS)
  return()
endif()

# Arbitrary bytes on the simulated instrument's line.
wavix_fuzz_target(sim_fuzz sim_fuzz.cpp)
target_link_libraries(sim_fuzz PRIVATE wavix_sim)
