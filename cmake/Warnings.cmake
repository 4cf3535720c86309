# SPDX-License-Identifier: MIT
# Strict warnings for the project's own targets.
function(vgzo_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

# Sanitizers for a whole build tree (a preset sets VGZO_SANITIZE, a list of
# -fsanitize= names).  Applied globally so that the stand-ins, the library and
# the tests are all instrumented alike.
set(VGZO_SANITIZE "" CACHE STRING "Sanitizers for every target, e.g. address;undefined")
if(VGZO_SANITIZE)
  list(JOIN VGZO_SANITIZE "," _vgzo_sanitizers)
  add_compile_options(-fsanitize=${_vgzo_sanitizers} -fno-omit-frame-pointer
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_vgzo_sanitizers})
endif()
