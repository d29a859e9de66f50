# The rasteriser fed arbitrary coordinates (huge, infinite, not a number), sizes and frame calls.
plandor_fuzz_target(render_draw ${CMAKE_CURRENT_SOURCE_DIR}/render_draw.cpp render config platform)
