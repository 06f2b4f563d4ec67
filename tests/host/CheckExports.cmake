# Checks that the loader library exports only the loader class and what a
# host needs to catch the loader's three exception classes.
# Usage: cmake -DLIBRARY=<path> -P CheckExports.cmake
execute_process(COMMAND nm -DC --defined-only ${LIBRARY}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

set(exceptions "Palimo::Exceptions::(ParseError|InvalidULDesignator|InvalidMetaElementDeclaration)")
set(allowed "^(Palimo::MetaMetadata::Loading::XSDDictionaryLoader::"
            "|(typeinfo|typeinfo name|vtable) for ${exceptions}$"
            "|${exceptions}::)")
string(REPLACE ";" "" allowed "${allowed}")

string(REPLACE "\n" ";" lines "${symbols}")
set(unexpected "")
foreach(line IN LISTS lines)
  # "<address> <type> <name>"
  if(NOT line MATCHES "^[0-9a-fA-F]+ [A-Za-z] (.*)$")
    continue()
  endif()
  set(name "${CMAKE_MATCH_1}")
  # Markers the linker defines in every shared object.
  if(name MATCHES "^(__bss_start|_edata|_end|_init|_fini)$")
    continue()
  endif()
  if(NOT name MATCHES "${allowed}")
    string(APPEND unexpected "  ${name}\n")
  endif()
endforeach()
if(unexpected)
  message(FATAL_ERROR "unexpected exported symbols:\n${unexpected}")
endif()

foreach(required
    "Palimo::MetaMetadata::Loading::XSDDictionaryLoader::XSDDictionaryLoader()"
    "Palimo::MetaMetadata::Loading::XSDDictionaryLoader::load(unsigned short const*, Palimo::MetaMetadata::Dictionary&)"
    "typeinfo for Palimo::Exceptions::ParseError"
    "typeinfo for Palimo::Exceptions::InvalidULDesignator"
    "typeinfo for Palimo::Exceptions::InvalidMetaElementDeclaration"
    "vtable for Palimo::Exceptions::ParseError")
  string(FIND "${symbols}" "${required}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing exported symbol: ${required}")
  endif()
endforeach()
