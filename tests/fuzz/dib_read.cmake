# The BMP reader of CDib: background pictures named in model files are untrusted input.
plandor_fuzz_target(dib_read ${CMAKE_CURRENT_SOURCE_DIR}/dib_read.cpp render config platform)
