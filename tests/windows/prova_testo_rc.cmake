# The installer's resource script for a route and a train whose names go
# beyond ASCII, compiled by windres and looked for, as UTF-16, in the result.
#
#   cmake -DWINDRES=<windres> -DCARTELLA=<dir> -P prova_testo_rc.cmake

cmake_minimum_required(VERSION 3.20)
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/risorse_windows.cmake")

# UTF-16LE hex of the arguments: ASCII text, or U+XXXX for one character.
function(utf16le out)
  set(h "")
  foreach(parte IN LISTS ARGN)
    if(parte MATCHES "^U\\+(..)(..)$")
      string(TOLOWER "${CMAKE_MATCH_2}${CMAKE_MATCH_1}" c)
      string(APPEND h "${c}")
    else()
      string(HEX "${parte}" a)
      string(REGEX REPLACE "(..)" "\\100" a "${a}")
      string(APPEND h "${a}")
    endif()
  endforeach()
  set(${out} "${h}" PARENT_SCOPE)
endfunction()

set(errori 0)
function(cerca contenuto cosa)
  utf16le(h ${ARGN})
  string(FIND "${contenuto}" "${h}" dove)
  if(dove LESS 0)
    message("FALLITO: ${cosa} non trovato nella risorsa")
    set(errori 1 PARENT_SCOPE)
  endif()
endfunction()

set(rc "${CARTELLA}/prova_testo.rc")
set(res "${CARTELLA}/prova_testo.res")
file(MAKE_DIRECTORY "${CARTELLA}")
# à and Ä from Latin-1, € from the part of Windows-1252 that is not.
risorse_windows_script("${rc}" PROGRAMMA prova VERSIONE ROUTE "Città_Alta" TRAIN "Ä-1€" VERSION 2.3.4)
execute_process(COMMAND "${WINDRES}" -O res -i "${rc}" -o "${res}" RESULT_VARIABLE esito ERROR_VARIABLE messaggi)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "windres: ${esito}\n${messaggi}")
endif()
file(READ "${res}" contenuto HEX)

cerca("${contenuto}" "ProductName \"Installatore scenario Città_Alta — treno Ä-1€\""
      "Installatore scenario Citt" U+00e0 "_Alta " U+2014 " treno " U+00c4 "-1" U+20ac U+0000)
cerca("${contenuto}" "OriginalFilename \"Città_Alta_Ä-1€.exe\""
      "Citt" U+00e0 "_Alta_" U+00c4 "-1" U+20ac ".exe" U+0000)
cerca("${contenuto}" "la lingua 041004E4" "041004E4" U+0000)
# VS_FIXEDFILEINFO: signature, structure version, FILEVERSION 2,3,4,0.
string(FIND "${contenuto}" "bd04effe000001000300020000000400" dove)
if(dove LESS 0)
  message("FALLITO: FILEVERSION 2,3,4,0 non trovata nella risorsa")
  set(errori 1)
endif()

if(errori)
  message(FATAL_ERROR "prova_testo_rc: fallita")
endif()
message("prova_testo_rc: tutto a posto")
