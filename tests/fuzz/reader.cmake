plandor_fuzz_target(reader ${CMAKE_CURRENT_SOURCE_DIR}/reader.cpp model render config platform)
