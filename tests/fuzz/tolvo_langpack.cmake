# The language scan's catalogue reader over arbitrary bytes.
plandor_fuzz_target(tolvo_langpack tolvo_langpack.cpp tolvo_static)
