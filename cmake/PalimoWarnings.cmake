# palimo_warnings(target): the project's warning set, applied to its own targets only.
function(palimo_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(PALIMO_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
