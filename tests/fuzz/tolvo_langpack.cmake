# The language scan's catalogue reader over arbitrary bytes.
plandor_fuzz_target(tolvo_langpack tolvo_langpack.cpp)
target_link_libraries(tolvo_langpack_replay PRIVATE tolvo_static)
if(TARGET tolvo_langpack_fuzz)
  target_link_libraries(tolvo_langpack_fuzz PRIVATE tolvo_fuzzing)
endif()
