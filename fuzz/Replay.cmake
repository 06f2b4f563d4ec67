# loader_fuzz_replay: the fuzz target with a plain main that runs the inputs
# named on its command line, and a test that replays the seed corpora (the
# load failure catalogue among them) and every input a fuzzing run ever
# failed on. Included by tests/ and by fuzz/; the first inclusion defines it.
if(NOT TARGET loader_fuzz_replay)
  add_executable(loader_fuzz_replay
    ${PROJECT_SOURCE_DIR}/fuzz/LoaderFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
  target_link_libraries(loader_fuzz_replay PRIVATE palimo_loader)
  palimo_warnings(loader_fuzz_replay)
  add_test(NAME loader_fuzz_replay
    COMMAND loader_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus-large
            ${PROJECT_SOURCE_DIR}/tests/data/failures ${PROJECT_SOURCE_DIR}/tests/data/fuzz-regressions)
  set_tests_properties(loader_fuzz_replay PROPERTIES TIMEOUT 600)
endif()

# mxf_reader_fuzz_replay: the same for the MXF reader's target, over its seed
# corpus and the MXF inputs a fuzzing run failed on.
if(NOT TARGET mxf_reader_fuzz_replay)
  add_executable(mxf_reader_fuzz_replay
    ${PROJECT_SOURCE_DIR}/fuzz/MxfReaderFuzzer.cpp
    ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
  target_link_libraries(mxf_reader_fuzz_replay PRIVATE palimo_mxf palimo_output palimo_typedefinitions
    palimo_loader)
  target_compile_definitions(mxf_reader_fuzz_replay PRIVATE
    PALIMO_EXAMPLE_SCHEMA="${PROJECT_SOURCE_DIR}/examples/mxf-dictionary/MXFDictionary.xsd")
  palimo_warnings(mxf_reader_fuzz_replay)
  add_test(NAME mxf_reader_fuzz_replay
    COMMAND mxf_reader_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/mxf-corpus
            ${PROJECT_SOURCE_DIR}/tests/data/mxf-fuzz-regressions)
  set_tests_properties(mxf_reader_fuzz_replay PROPERTIES TIMEOUT 600)
endif()
