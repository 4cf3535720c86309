# SPDX-License-Identifier: MIT
# Strict warnings for the project's own targets.  They are always on; only
# VGZO_WERROR makes them errors, which the presets and CI turn on.  A plain
# configure, and vgzo taken in as a subproject, leave it off, so that a
# compiler newer than ours that warns about something new does not break a
# user's build of a release.
option(VGZO_WERROR "Treat warnings in vgzo's own targets as errors" OFF)

function(vgzo_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic
                         $<$<BOOL:${VGZO_WERROR}>:-Werror>)
endfunction()
