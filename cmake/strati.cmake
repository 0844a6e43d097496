# The layers of the sources, one row each: name|folder|library|layers it uses.
# A layer always uses itself; a folder not listed takes the row of the
# nearest listed folder above it; "*" uses everything.
#
# Read by the include check (cmake/controlla_strati.cmake), by the tool's
# build, which links each of its libraries to the libraries of the layers it
# uses, and by the test that holds the README's table equal to this one.
set(STRATI
  "base|src/base|base|"
  "platform|src/platform|piattaforma|base"
  "compiler|src/compiler|compilatore|base"
  "verifica|src/verifica|verifica|base,compiler"
  "sources|src/sources|sorgenti|base"
  "driver|src/driver|driver|base,compiler,sources,platform"
  "cli|tools/scenario/cli|strumento_cli|base,platform,verifica"
  "autore|tools/scenario/autore|strumento_autore|base,compiler,platform,verifica,cli"
  "binari|tools/scenario/binari|strumento_binari|base,compiler,cli,formati"
  "formati|tools/scenario/formati|strumento_formati|base,compiler"
  "diagnostiche|tools/scenario/diagnostiche|strumento_diagnostiche|base,compiler,verifica,cli,autore"
  "svg|tools/scenario/svg|strumento_svg|base"
  "disegni|tools/scenario/disegni|strumento_disegni|base,compiler,verifica,cli,autore,binari,formati,diagnostiche,svg"
  "pagina|tools/scenario/pagina|strumento_pagina|base,compiler,verifica,formati,diagnostiche,svg,disegni"
  "modello|tools/scenario/modello|strumento_modello|"
  "lsp|tools/scenario/lsp|strumento_lsp|base,compiler,verifica,cli,autore,diagnostiche,formati"
  "comandi|tools/scenario/comandi|strumento_comandi|base,compiler,platform,verifica,cli,autore,binari,formati,diagnostiche,disegni,pagina,lsp,modello"
  "scenario|tools/scenario|scenario|base,platform,verifica,cli,comandi"
  "fuzz|fuzz||base,compiler,sources,support,verifica,cli,binari,lsp,comandi"
  "bench|bench||base,compiler,sources,platform,support,verifica"
  "support|tests/support|supporto_prove|base,compiler"
  "tests|tests||*")

# The fields of one row.
function(campi_strato voce nome cartella libreria usi)
  string(REGEX MATCH "^([^|]*)[|]([^|]*)[|]([^|]*)[|](.*)$" _ "${voce}")
  string(REPLACE "," ";" u "${CMAKE_MATCH_4}")
  set(${nome} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  set(${cartella} "${CMAKE_MATCH_2}" PARENT_SCOPE)
  set(${libreria} "${CMAKE_MATCH_3}" PARENT_SCOPE)
  set(${usi} "${u}" PARENT_SCOPE)
endfunction()

# The row of a layer by its name.
function(strato_di nome_cercato cartella libreria usi)
  foreach(voce IN LISTS STRATI)
    campi_strato("${voce}" n c l u)
    if(n STREQUAL nome_cercato)
      set(${cartella} "${c}" PARENT_SCOPE)
      set(${libreria} "${l}" PARENT_SCOPE)
      set(${usi} "${u}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "strato sconosciuto: ${nome_cercato}")
endfunction()
