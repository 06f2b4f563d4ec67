# The fuzz targets with a plain main that runs the files and directories named
# on its command line, and a test for each that replays its seed corpora and
# every input a fuzzing run ever failed on. Included by tests/ and by fuzz/;
# the first inclusion defines them. The targets check their JSON with nlohmann.
find_package(nlohmann_json REQUIRED)
if(NOT COMMAND palimo_fuzz_target_sources)
  # The source of a fuzz target that reads MXF files or values.
  function(palimo_fuzz_target_sources fuzzer out)
    if(fuzzer MATCHES "^mxf_reader")
      set(${out} ${PROJECT_SOURCE_DIR}/fuzz/MxfReaderFuzzer.cpp PARENT_SCOPE)
    else()
      set(${out} ${PROJECT_SOURCE_DIR}/fuzz/ValueDecoderFuzzer.cpp PARENT_SCOPE)
    endif()
  endfunction()
  # What they link and the dictionary they load: the shipped example with a
  # set that holds an item of every type (fuzz/dictionary).
  function(palimo_fuzz_target_link fuzzer)
    target_link_libraries(${fuzzer} PRIVATE palimo_mxf palimo_output
      palimo_typedefinitions palimo_loader nlohmann_json::nlohmann_json)
    target_compile_definitions(${fuzzer} PRIVATE
      PALIMO_FUZZ_SCHEMA="${PROJECT_SOURCE_DIR}/fuzz/dictionary/MXFDictionary.xsd")
  endfunction()
endif()

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

# The MXF reader's target over its seed corpus and the MXF inputs a fuzzing
# run failed on; the value decoders' over theirs.
if(NOT TARGET mxf_reader_fuzz_replay AND TARGET palimo_output)
  foreach(fuzzer mxf_reader value_decoder)
    palimo_fuzz_target_sources(${fuzzer} sources)
    add_executable(${fuzzer}_fuzz_replay ${sources} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
    palimo_fuzz_target_link(${fuzzer}_fuzz_replay)
    palimo_warnings(${fuzzer}_fuzz_replay)
  endforeach()
  add_test(NAME mxf_reader_fuzz_replay
    COMMAND mxf_reader_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/mxf-corpus
            ${PROJECT_SOURCE_DIR}/tests/data/mxf-fuzz-regressions)
  add_test(NAME value_decoder_fuzz_replay
    COMMAND value_decoder_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/value-corpus)
  set_tests_properties(mxf_reader_fuzz_replay value_decoder_fuzz_replay PROPERTIES TIMEOUT 600)
endif()
