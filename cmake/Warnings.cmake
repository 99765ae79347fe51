# Strict warnings for our own targets. -Wconversion is on; narrowing the
# exact game arithmetic is written out with explicit casts instead.
function(vn_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion -Wno-sign-conversion)
  if(VN_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
