# velmora_warnings(target): the project's warning policy, errors included.
# VELMORA_WERROR=OFF keeps the warnings but lets them pass: for builds with another compiler
# than the project's own (the clang fuzzing build), whose extra warnings must not stop it.
option(VELMORA_WERROR "Treat warnings as errors" ON)
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
    -Wno-error=deprecated-declarations)
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
