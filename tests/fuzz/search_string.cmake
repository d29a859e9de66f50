plandor_fuzz_target(search_string ${CMAKE_CURRENT_SOURCE_DIR}/search_string.cpp config platform)
