# The image library's GIF reader over arbitrary bytes.
plandor_fuzz_target(tolvo_gif tolvo_gif.cpp tolvo_static)
