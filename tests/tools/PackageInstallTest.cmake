# Installs the build to a fresh prefix, builds a host program against the
# installed package with find_package(PalimoXSDDictionaryLoader COMPONENTS MXF
# Registers) and with pkg-config, and runs it (it loads the installed example
# dictionary, reads MXF_FILE, imports REGISTERS and writes the first change
# between the two dictionaries) and the installed tool.
#
# Variables: BUILD_DIR (the build to install), SOURCE_DIR (the source tree,
# which nothing installed may name), HOST_SOURCE (the host project),
# COMPONENTS_SOURCE (a project that asks for components), MXF_FILE,
# REGISTERS (a directory of register files), WORK_DIR (scratch), GENERATOR,
# CXX_COMPILER, BUILD_TYPE, HOST_SANITIZE.
foreach(variable BUILD_DIR SOURCE_DIR HOST_SOURCE COMPONENTS_SOURCE MXF_FILE REGISTERS WORK_DIR
    GENERATOR CXX_COMPILER)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "${variable} is not set")
  endif()
endforeach()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

foreach(installed
    include/MetaMetadata/Loading/XSDDictionaryLoader.h
    include/MetaMetadata/Loading/Exceptions.h
    include/MetaMetadata/Loading/Export.h
    include/Palimo/MetaMetadata/Dictionary.h
    include/Palimo/XMLUtils/XSDAggregator.h
    include/Palimo/Exceptions/ErrorCodes.h
    include/Palimo/Identifiers/Label.h
    include/Palimo/TypeDefinitions/SchemaLoading.h
    include/Palimo/MXF/FileReader.h
    include/Palimo/Output/RegXML.h
    include/Palimo/Registers/Importer.h
    include/Palimo/Registers/ExtensionSchema.h
    lib/cmake/PalimoXSDDictionaryLoader/FindXQilla.cmake
    lib/cmake/PalimoXSDDictionaryLoader/PalimoXSDDictionaryLoaderMXFTargets.cmake
    lib/cmake/PalimoXSDDictionaryLoader/PalimoXSDDictionaryLoaderRegistersTargets.cmake
    share/PalimoXSDDictionaryLoader/examples/mxf-dictionary/MXFDictionary.xsd
    share/PalimoXSDDictionaryLoader/mxfdict-output.schema.json
    lib/pkgconfig/PalimoXSDDictionaryLoader.pc
    lib/pkgconfig/PalimoMXF.pc
    lib/pkgconfig/PalimoRegisters.pc
    lib/pkgconfig/PalimoDiff.pc
    lib/pkgconfig/PalimoQuery.pc
    lib/pkgconfig/PalimoCheck.pc
    include/Palimo/Check/Findings.h
    include/Palimo/Check/FailureLocation.h)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
# Public headers only: none of a module's src/ and none of the private ones
# that sit beside the public ones.
file(GLOB_RECURSE installed_headers RELATIVE ${prefix}/include ${prefix}/include/*)
foreach(header IN LISTS installed_headers)
  if(header MATCHES "(^|/)src/|LoaderState\\.h$|Registers/Naming\\.h$" OR NOT header MATCHES "\\.h$")
    message(FATAL_ERROR "installed, but not a public header: include/${header}")
  endif()
endforeach()
# A host is built from the installation alone: no package file names the
# source tree.
file(GLOB_RECURSE package_files ${prefix}/lib/cmake/*.cmake ${prefix}/lib/pkgconfig/*.pc)
foreach(package_file IN LISTS package_files)
  file(READ ${package_file} text)
  string(REPLACE "${prefix}" "" text "${text}")
  string(FIND "${text}" "${SOURCE_DIR}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${package_file} names the source tree ${SOURCE_DIR}")
  endif()
endforeach()

# Components: those asked for come with those they need; an unknown one is
# refused.
run(${CMAKE_COMMAND} -S ${COMPONENTS_SOURCE} -B ${WORK_DIR}/components -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_PREFIX_PATH=${prefix})

run(${CMAKE_COMMAND} -S ${HOST_SOURCE} -B ${WORK_DIR}/host -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_PREFIX_PATH=${prefix} -DHOST_SANITIZE=${HOST_SANITIZE})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/host)

set(example ${prefix}/share/PalimoXSDDictionaryLoader/examples/mxf-dictionary/MXFDictionary.xsd)
set(expected "162 elements, 32 sets\nInstanceID tag 3c.0a\n"
  "read: 27 sets, the first a Preface of 9 items\n"
  "read with types: 27 sets, the first a Preface of 9 items\n"
  "imported 24 elements, 4 sets\n24 elements, 4 sets\n"
  "diff: 186 elements and 36 sets differ\n"
  "first change: + element 06.0e.2b.34.01.01.01.0e.0e.55.01.01.01.00.00.00 ThingID\n"
  "check: referenceWithoutSet at 212\n")
string(CONCAT expected ${expected})
run(${WORK_DIR}/host/host ${example} ${MXF_FILE} ${REGISTERS} ${WORK_DIR}/imported-cmake)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "unexpected host output:\n${output}")
endif()

# The same host with pkg-config alone, as a project without CMake builds it
# and as the README says: with the run path of the installed libraries, so
# that it starts without LD_LIBRARY_PATH.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run(${PKG_CONFIG} --cflags --libs PalimoCheck PalimoRegisters PalimoMXF PalimoDiff PalimoOutput
    PalimoXSDDictionaryLoader)
string(STRIP "${output}" flags)
separate_arguments(flags UNIX_COMMAND "${flags}")
run(${PKG_CONFIG} --variable=libdir PalimoXSDDictionaryLoader)
string(STRIP "${output}" libdir)
set(sanitize_flags "")
if(HOST_SANITIZE)
  set(sanitize_flags -fsanitize=${HOST_SANITIZE})
endif()
run(${CXX_COMPILER} ${sanitize_flags} ${HOST_SOURCE}/main.cpp -o ${WORK_DIR}/pkg-config-host ${flags}
    -Wl,-rpath,${libdir})
unset(ENV{LD_LIBRARY_PATH})
run(${WORK_DIR}/pkg-config-host ${example} ${MXF_FILE} ${REGISTERS} ${WORK_DIR}/imported-pkg-config)
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "unexpected output of the pkg-config host:\n${output}")
endif()

if(EXISTS ${prefix}/bin/mxfdict)
  foreach(installed share/man/man1/mxfdict.1 share/bash-completion/completions/mxfdict)
    if(NOT EXISTS ${prefix}/${installed})
      message(FATAL_ERROR "not installed: ${installed}")
    endif()
  endforeach()
  run(${prefix}/bin/mxfdict lookup ${example} InstanceID)
  if(NOT output MATCHES "local tag: 3c.0a")
    message(FATAL_ERROR "unexpected mxfdict output:\n${output}")
  endif()
endif()
file(REMOVE_RECURSE ${WORK_DIR})
