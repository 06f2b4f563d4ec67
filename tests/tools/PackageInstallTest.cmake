# Installs the build to a fresh prefix, builds a host program against the
# installed package with find_package(PalimoXSDDictionaryLoader), and runs it
# and the installed tool on the installed example dictionary.
#
# Variables: BUILD_DIR (the build to install), HOST_SOURCE (the host project),
# WORK_DIR (scratch), GENERATOR, CXX_COMPILER, BUILD_TYPE, HOST_SANITIZE.
foreach(variable BUILD_DIR HOST_SOURCE WORK_DIR GENERATOR CXX_COMPILER)
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
    lib/cmake/PalimoXSDDictionaryLoader/FindXQilla.cmake
    share/PalimoXSDDictionaryLoader/examples/mxf-dictionary/MXFDictionary.xsd
    share/PalimoXSDDictionaryLoader/mxfdict-output.schema.json
    lib/pkgconfig/PalimoXSDDictionaryLoader.pc)
  if(NOT EXISTS ${prefix}/${installed})
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
if(EXISTS ${prefix}/include/MetaMetadata/Loading/LoaderState.h)
  message(FATAL_ERROR "an internal header was installed")
endif()

run(${CMAKE_COMMAND} -S ${HOST_SOURCE} -B ${WORK_DIR}/host -G ${GENERATOR}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    -DCMAKE_PREFIX_PATH=${prefix} -DHOST_SANITIZE=${HOST_SANITIZE})
run(${CMAKE_COMMAND} --build ${WORK_DIR}/host)

set(example ${prefix}/share/PalimoXSDDictionaryLoader/examples/mxf-dictionary/MXFDictionary.xsd)
run(${WORK_DIR}/host/host ${example})
if(NOT output MATCHES "162 elements, 32 sets\nInstanceID tag 3c.0a")
  message(FATAL_ERROR "unexpected host output:\n${output}")
endif()

# The same host with pkg-config alone, as a project without CMake builds it
# and as the README says: with the run path of the installed libraries, so
# that it starts without LD_LIBRARY_PATH.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run(${PKG_CONFIG} --cflags --libs PalimoXSDDictionaryLoader)
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
run(${WORK_DIR}/pkg-config-host ${example})
if(NOT output MATCHES "162 elements, 32 sets\nInstanceID tag 3c.0a")
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
