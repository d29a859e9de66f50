plandor_fuzz_target(primitive_lines ${CMAKE_CURRENT_SOURCE_DIR}/primitive_lines.cpp model render config platform)
