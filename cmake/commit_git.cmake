# Writes the header that names the commit the tool is built from:
#
#   cmake -DSORGENTI=<sources> -DUSCITA=<commit_strumento.h> -P commit_git.cmake
#
# Run at every build; the header is rewritten only when the commit changed,
# so that nothing is compiled again otherwise. Outside a git checkout, or
# without git, the commit is empty and the version stands alone.
find_program(GIT git)
set(commit "")
if(GIT)
  execute_process(COMMAND "${GIT}" -C "${SORGENTI}" rev-parse --short=12 HEAD
    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0 OR NOT commit MATCHES "^[0-9a-f]+$")
    set(commit "")
  endif()
endif()
set(testo "// Written by cmake/commit_git.cmake at every build.\n#define COMMIT_STRUMENTO \"${commit}\"\n")
if(EXISTS "${USCITA}")
  file(READ "${USCITA}" prima)
endif()
if(NOT "${prima}" STREQUAL "${testo}")
  file(WRITE "${USCITA}" "${testo}")
endif()
