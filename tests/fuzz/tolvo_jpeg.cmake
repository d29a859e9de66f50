# The image library's JPEG reader over arbitrary bytes.
plandor_fuzz_target(tolvo_jpeg tolvo_jpeg.cpp)
target_link_libraries(tolvo_jpeg_replay PRIVATE tolvo_static)
if(TARGET tolvo_jpeg_fuzz)
  target_link_libraries(tolvo_jpeg_fuzz PRIVATE tolvo_fuzzing)
endif()
