# palimo_no_undefined(target): refuse, when linking a shared library, any
# symbol that none of its dependencies defines. clang leaves the sanitizer
# runtimes out of shared libraries (the executable brings them), so a
# sanitized clang build cannot hold the check and goes without it.
function(palimo_no_undefined target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND (PALIMO_SANITIZE OR PALIMO_TSAN))
    return()
  endif()
  target_link_options(${target} PRIVATE -Wl,--no-undefined)
endfunction()
