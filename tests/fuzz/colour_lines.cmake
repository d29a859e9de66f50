plandor_fuzz_target(colour_lines ${CMAKE_CURRENT_SOURCE_DIR}/colour_lines.cpp config platform)
