if(PLANDOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing steers by coverage: instrument every library the fuzz targets call, not only the targets.
if(PLANDOR_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
