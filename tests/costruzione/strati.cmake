# The layer table (cmake/strati.cmake): the README's copy says the same, and
# the include check stops what it must and lets through what it may.
#
#   cmake -DSORGENTI=<project> -DLAVORO=<scratch folder> -P strati.cmake

cmake_minimum_required(VERSION 3.20)
include("${SORGENTI}/cmake/strati.cmake")
set(errori "")

# The README's table, row by row: folder, library, uses.
file(READ "${SORGENTI}/README.md" readme)
string(FIND "${readme}" "| Folder | Library | Uses | Holds |" inizio)
string(SUBSTRING "${readme}" ${inizio} -1 readme)
string(FIND "${readme}" "\n\n" fine)
string(SUBSTRING "${readme}" 0 ${fine} readme)
# The rows as a list: their own semicolons would split them.
string(REPLACE ";" "," readme "${readme}")
string(REGEX MATCHALL "\n\\| `[^`]+/` \\|[^\n]*" righe "${readme}")
set(cartelle_readme "")
foreach(riga IN LISTS righe)
  string(REGEX MATCH "^\n\\| `([^`]+)/` \\| *`?([^`|]*)`? *\\|([^|]*)\\|" _ "${riga}")
  set(cartella "${CMAKE_MATCH_1}")
  set(libreria "${CMAKE_MATCH_2}")
  string(STRIP "${CMAKE_MATCH_3}" usi)
  string(REPLACE ", " ";" usi "${usi}")
  list(APPEND cartelle_readme "${cartella}")
  set(trovata FALSE)
  foreach(voce IN LISTS STRATI)
    campi_strato("${voce}" n c l u)
    if(c STREQUAL cartella)
      set(trovata TRUE)
      list(SORT u)
      list(SORT usi)
      if(NOT l STREQUAL libreria OR NOT u STREQUAL usi)
        string(APPEND errori "README, ${cartella}/: `${libreria}` usa «${usi}», cmake/strati.cmake: `${l}` usa «${u}»\n")
      endif()
    endif()
  endforeach()
  if(NOT trovata)
    string(APPEND errori "README, ${cartella}/: nessuna riga in cmake/strati.cmake\n")
  endif()
endforeach()
foreach(voce IN LISTS STRATI)
  campi_strato("${voce}" n c l u)
  if(NOT c IN_LIST cartelle_readme)
    string(APPEND errori "cmake/strati.cmake, ${c}/: nessuna riga nel README\n")
  endif()
endforeach()

# The check on small trees: a file, what it includes, and the fault it must
# name ("" when it must pass). Every tree also holds the headers included.
set(casi
  "tools/scenario/disegni/a.h|#include \"lsp/server.h\"|disegni non puo' dipendere da lsp"
  "tools/scenario/disegni/a.h|#include <lsp/server.h>|disegni non puo' dipendere da lsp"
  "tools/scenario/comandi/a.cpp|#include \"pianta.h\"|manca la cartella (tools/scenario/disegni/pianta.h)"
  "tools/scenario/disegni/a.cpp|#include \"pianta.h\"|"
  "tools/scenario/comandi/a.cpp|#include \"disegni/pianta.h\"|"
  "tools/scenario/lsp/funzioni/a.cpp|#include \"lsp/server.h\"|"
  "tools/scenario/lsp/funzioni/a.cpp|#include \"comandi/comandi.h\"|lsp non puo' dipendere da comandi"
  "src/base/a.h|#include \"compiler/records.h\"|base non puo' dipendere da compiler"
  "src/compiler/a.h|#include <vector>|"
  "tests/tools/a_test.cpp|#include \"lsp/server.h\"|")
set(n 0)
foreach(caso IN LISTS casi)
  math(EXPR n "${n} + 1")
  string(REGEX MATCH "^([^|]*)[|]([^|]*)[|](.*)$" _ "${caso}")
  set(file "${CMAKE_MATCH_1}")
  set(inclusione "${CMAKE_MATCH_2}")
  set(atteso "${CMAKE_MATCH_3}")
  set(albero "${LAVORO}/albero_${n}")
  file(REMOVE_RECURSE "${albero}")
  foreach(h tools/scenario/lsp/server.h tools/scenario/disegni/pianta.h tools/scenario/comandi/comandi.h
            src/compiler/records.h)
    file(WRITE "${albero}/${h}" "#pragma once\n")
  endforeach()
  file(WRITE "${albero}/${file}" "${inclusione}\n")
  execute_process(COMMAND ${CMAKE_COMMAND} "-DRADICE=${albero}" -P "${SORGENTI}/cmake/controlla_strati.cmake"
                  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
  if(atteso STREQUAL "" AND NOT esito EQUAL 0)
    string(APPEND errori "${file} con ${inclusione}: rifiutato\n${uscita}\n")
  elseif(NOT atteso STREQUAL "")
    string(FIND "${uscita}" "${atteso}" pos)
    if(esito EQUAL 0 OR pos EQUAL -1)
      string(APPEND errori "${file} con ${inclusione}: atteso «${atteso}»\n${uscita}\n")
    endif()
  endif()
endforeach()

if(errori)
  message(FATAL_ERROR "${errori}")
endif()
message(STATUS "${n} casi del controllo degli strati, tabella del README uguale")
