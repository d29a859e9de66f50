plandor_fuzz_target(colour_file ${CMAKE_CURRENT_SOURCE_DIR}/colour_file.cpp config platform)
