# The image library's BMP reader over arbitrary bytes.
plandor_fuzz_target(tolvo_bmp tolvo_bmp.cpp)
target_link_libraries(tolvo_bmp_replay PRIVATE tolvo_static)
if(TARGET tolvo_bmp_fuzz)
  target_link_libraries(tolvo_bmp_fuzz PRIVATE tolvo_fuzzing)
endif()
