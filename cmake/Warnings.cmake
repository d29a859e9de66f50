# Warnings for our own targets only (not for third-party headers).
add_library(plandor_warnings INTERFACE)
target_compile_options(plandor_warnings INTERFACE
  -Wall -Wextra -Wshadow -Wsuggest-override -Wno-unused-parameter)
if(CMAKE_BUILD_TYPE STREQUAL "Debug")
  target_compile_definitions(plandor_warnings INTERFACE _GLIBCXX_ASSERTIONS)
endif()
