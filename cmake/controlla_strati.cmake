# Checks that every #include of the sources points the way the layers allow
# (cmake/strati.cmake), and stops the build with every line that does not.
#
#   cmake -DRADICE=<sources> [-DTIMBRO=<file touched on success>] -P controlla_strati.cmake
#
# An include, "..." or <...>, is looked up as the compiler would find it:
# beside the including file, then under the include roots. One that names no
# file of the project (the standard library, a package, a generated header)
# is not the check's business. One found only under a root, or only by its
# name somewhere in the sources, must name its folder: no layer reaches
# another through a flat include folder.
cmake_policy(SET CMP0057 NEW)
include("${CMAKE_CURRENT_LIST_DIR}/strati.cmake")

set(radici_inclusione src tools/scenario tests)

# The layer holding a file: the row of the longest folder that holds it.
function(strato_del_file f nome)
  set(migliore "")
  set(lunghezza 0)
  foreach(voce IN LISTS STRATI)
    campi_strato("${voce}" n c l u)
    string(LENGTH "${c}" lc)
    string(FIND "${f}/" "${c}/" pos)
    if(pos EQUAL 0 AND lc GREATER lunghezza)
      set(lunghezza ${lc})
      set(migliore "${n}")
    endif()
  endforeach()
  set(${nome} "${migliore}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sorgenti RELATIVE "${RADICE}"
  "${RADICE}/src/*.h" "${RADICE}/src/*.cpp" "${RADICE}/tools/*.h" "${RADICE}/tools/*.cpp"
  "${RADICE}/fuzz/*.h" "${RADICE}/fuzz/*.cpp" "${RADICE}/bench/*.h" "${RADICE}/bench/*.cpp"
  "${RADICE}/tests/*.h" "${RADICE}/tests/*.cpp")

# Where each header of the sources is, by its name alone.
foreach(f IN LISTS sorgenti)
  get_filename_component(n "${f}" NAME)
  string(MAKE_C_IDENTIFIER "${n}" chiave)
  set(dove_${chiave} "${f}")
endforeach()

set(errori "")
foreach(f IN LISTS sorgenti)
  strato_del_file("${f}" strato)
  if(strato STREQUAL "")
    continue()
  endif()
  strato_di("${strato}" _ _ ammessi)
  if(ammessi STREQUAL "*")
    continue()
  endif()
  list(APPEND ammessi "${strato}")
  get_filename_component(accanto "${f}" DIRECTORY)

  file(STRINGS "${RADICE}/${f}" righe REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
  foreach(riga IN LISTS righe)
    string(REGEX MATCH "[\"<]([^\">]+)[\">]" _ "${riga}")
    set(incluso "${CMAKE_MATCH_1}")
    string(STRIP "${riga}" riga)
    set(trovato "")
    if(EXISTS "${RADICE}/${accanto}/${incluso}" AND NOT riga MATCHES "<")
      set(trovato "${accanto}/${incluso}")
    else()
      foreach(r IN LISTS radici_inclusione)
        if(NOT trovato AND EXISTS "${RADICE}/${r}/${incluso}")
          set(trovato "${r}/${incluso}")
          if(NOT incluso MATCHES "/")
            string(APPEND errori "  ${f}: ${riga}: manca la cartella (${r}/${incluso})\n")
          endif()
        endif()
      endforeach()
    endif()
    string(MAKE_C_IDENTIFIER "${incluso}" chiave)
    if(NOT trovato AND NOT incluso MATCHES "/" AND NOT riga MATCHES "<" AND DEFINED dove_${chiave})
      string(APPEND errori "  ${f}: ${riga}: manca la cartella (${dove_${chiave}})\n")
      set(trovato "${dove_${chiave}}")
    endif()
    if(NOT trovato)
      continue()
    endif()
    file(REAL_PATH "${RADICE}/${trovato}" assoluto)
    file(RELATIVE_PATH trovato "${RADICE}" "${assoluto}")
    strato_del_file("${trovato}" da)
    if(da AND NOT da IN_LIST ammessi)
      string(APPEND errori "  ${f}: ${riga}: ${strato} non puo' dipendere da ${da}\n")
    endif()
  endforeach()
endforeach()

if(errori)
  message(FATAL_ERROR "Inclusioni contro gli strati:\n${errori}Gli strati ammessi sono in cmake/strati.cmake.")
endif()
if(TIMBRO)
  file(TOUCH "${TIMBRO}")
endif()
