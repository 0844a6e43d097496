# Checks that every #include "dir/file.h" of the sources points the way the
# layers allow, and stops the build at the first line that does not.
#
#   cmake -DRADICE=<sources> [-DTIMBRO=<file touched on success>] -P controlla_strati.cmake
#
# The table: a folder, then the folders its files may include from. A folder
# not listed takes the rule of the nearest listed folder above it; tests/ may
# include everything.
cmake_policy(SET CMP0057 NEW)

set(strati
  "src/base=base"
  "src/platform=base,platform"
  "src/compiler=base,compiler"
  "src/verifica=base,compiler,verifica"
  "src/sources=base,sources"
  "src/driver=base,compiler,sources,platform,driver"
  "tools=base,compiler,platform,verifica"
  "fuzz=base,compiler,sources,support"
  "bench=base,compiler,sources,platform,support,verifica"
  "tests/support=base,compiler,support"
  "tests=*")

file(GLOB_RECURSE sorgenti RELATIVE "${RADICE}"
  "${RADICE}/src/*.h" "${RADICE}/src/*.cpp" "${RADICE}/tools/*.h" "${RADICE}/tools/*.cpp"
  "${RADICE}/fuzz/*.h" "${RADICE}/fuzz/*.cpp" "${RADICE}/bench/*.h" "${RADICE}/bench/*.cpp"
  "${RADICE}/tests/*.h" "${RADICE}/tests/*.cpp")

set(errori "")
foreach(f IN LISTS sorgenti)
  # The rule of the longest folder that holds the file.
  set(ammessi "")
  set(lunghezza_regola 0)
  foreach(voce IN LISTS strati)
    string(REPLACE "=" ";" parti "${voce}")
    list(GET parti 0 cartella)
    list(GET parti 1 regola)
    string(LENGTH "${cartella}" l)
    string(FIND "${f}" "${cartella}/" pos)
    if(pos EQUAL 0 AND l GREATER lunghezza_regola)
      set(lunghezza_regola ${l})
      string(REPLACE "," ";" ammessi "${regola}")
      set(strato "${cartella}")
    endif()
  endforeach()
  if(lunghezza_regola EQUAL 0 OR ammessi STREQUAL "*")
    continue()
  endif()

  file(STRINGS "${RADICE}/${f}" righe REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(riga IN LISTS righe)
    string(REGEX MATCH "\"([^\"/]+)/" _ "${riga}")
    set(da "${CMAKE_MATCH_1}")
    if(NOT da IN_LIST ammessi)
      string(STRIP "${riga}" riga)
      string(APPEND errori "  ${f}: ${riga}: ${strato}/ non puo' dipendere da ${da}/\n")
    endif()
  endforeach()
endforeach()

if(errori)
  message(FATAL_ERROR "Inclusioni contro gli strati:\n${errori}Gli strati ammessi sono in cmake/controlla_strati.cmake.")
endif()
if(TIMBRO)
  file(TOUCH "${TIMBRO}")
endif()
