# The image library's BMP reader over arbitrary bytes.
plandor_fuzz_target(tolvo_bmp tolvo_bmp.cpp tolvo_static)
