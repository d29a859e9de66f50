# The image library's JPEG reader over arbitrary bytes.
plandor_fuzz_target(tolvo_jpeg tolvo_jpeg.cpp tolvo_static)
