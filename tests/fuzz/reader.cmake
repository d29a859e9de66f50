plandor_fuzz_target(reader ${CMAKE_CURRENT_SOURCE_DIR}/reader.cpp model render config platform)
# The reader's target runs quiet: a message per input (such as "File ... not found!") slows it down.
set_tests_properties(fuzz_replay.reader PROPERTIES FAIL_REGULAR_EXPRESSION "not found|Continue loading")
