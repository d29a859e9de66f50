# The image library's GIF reader over arbitrary bytes.
plandor_fuzz_target(tolvo_gif tolvo_gif.cpp)
target_link_libraries(tolvo_gif_replay PRIVATE tolvo_static)
if(TARGET tolvo_gif_fuzz)
  target_link_libraries(tolvo_gif_fuzz PRIVATE tolvo_fuzzing)
endif()
