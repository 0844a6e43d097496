# Windows resources: what makes the .exe a proper citizen of the desktop.
#
#   risorse_windows_installatore(<target> ROUTE <R> TRAIN <T>)
#       version information (Explorer's Properties -> Details: product
#       "Installatore scenario R — treno T", version PROJECT_VERSION, original
#       file name R_T.exe, Italian), the icon, the application manifest
#       (asInvoker, per-monitor DPI aware, supported Windows versions, Common
#       Controls 6); stripped in Release and MinSizeRel with MinGW.
#   risorse_windows_finestra(<target>)
#       the icon and the manifest only: for the test programs that show Form1
#       as the installer does.
#
# Both do nothing where the target platform is not Windows. The resource
# script is generated from src/platform/win32/risorse/risorse.rc.in into the
# current binary directory, compiled by windres (MinGW) or rc (MSVC).
#
# risorse_windows_script also works under `cmake -P`, for the tests.

# risorse_windows_testo_rc(<testo> <out>): text as the inside of a string of
# the resource script, which is read as UTF-8: " and \ escaped.
function(risorse_windows_testo_rc testo out)
  string(REPLACE "\\" "\\\\" testo "${testo}")
  string(REPLACE "\"" "\"\"" testo "${testo}")
  set(${out} "${testo}" PARENT_SCOPE)
endfunction()

# The folder of the resource files: icon, manifest, script template.
function(_risorse_windows_dir out)
  get_filename_component(d "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../src/platform/win32/risorse" ABSOLUTE)
  set(${out} "${d}" PARENT_SCOPE)
endfunction()

# risorse_windows_script(<file.rc> PROGRAMMA <name>
#                        [VERSIONE ROUTE <R> TRAIN <T> VERSION <x.y.z>]):
# writes the resource script for the program <name>; with VERSIONE it has
# the version block too.
function(risorse_windows_script file_rc)
  cmake_parse_arguments(ARG "VERSIONE" "ROUTE;TRAIN;VERSION;PROGRAMMA" "" ${ARGN})
  _risorse_windows_dir(risorse_dir)
  set(risorse_programma "${ARG_PROGRAMMA}")
  set(risorse_con_versione 0)
  if(ARG_VERSIONE)
    set(risorse_con_versione 1)
    # Four numbers, missing ones 0.
    string(REPLACE "." ";" parti "${ARG_VERSION}")
    list(APPEND parti 0 0 0 0)
    list(SUBLIST parti 0 4 parti)
    foreach(p IN LISTS parti)
      if(NOT p MATCHES "^[0-9]+$" OR p GREATER 65535)
        message(FATAL_ERROR "versione \"${ARG_VERSION}\": servono fino a quattro numeri da 0 a 65535")
      endif()
    endforeach()
    list(JOIN parti "," risorse_versione_virgole)
    set(risorse_versione "${ARG_VERSION}")
    risorse_windows_testo_rc("${ARG_ROUTE}" r)
    risorse_windows_testo_rc("${ARG_TRAIN}" t)
    # The dash is U+2014 (em dash), written here in UTF-8 like the names.
    set(risorse_prodotto "Installatore scenario ${r} — treno ${t}")
    set(risorse_descrizione "Installa lo scenario ${r} — treno ${t} per il simulatore di guida")
    set(risorse_nome_interno "${r}_${t}")
    set(risorse_nome_file "${r}_${t}.exe")
  endif()
  configure_file("${risorse_dir}/risorse.rc.in" "${file_rc}" @ONLY)
endfunction()

function(risorse_windows_installatore target)
  cmake_parse_arguments(ARG "" "ROUTE;TRAIN" "" ${ARGN})
  if(NOT WIN32)
    return()
  endif()
  set(file_rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_risorse.rc")
  risorse_windows_script("${file_rc}" PROGRAMMA "${ARG_ROUTE}_${ARG_TRAIN}.exe" VERSIONE
    ROUTE "${ARG_ROUTE}" TRAIN "${ARG_TRAIN}" VERSION "${PROJECT_VERSION}")
  _risorse_windows_aggiungi(${target} "${file_rc}")
  if(MINGW)
    # Release builds without their symbol tables.
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s>)
  endif()
endfunction()

function(risorse_windows_finestra target)
  if(NOT WIN32)
    return()
  endif()
  set(file_rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_risorse.rc")
  risorse_windows_script("${file_rc}" PROGRAMMA "${target}")
  _risorse_windows_aggiungi(${target} "${file_rc}")
endfunction()

function(_risorse_windows_aggiungi target file_rc)
  _risorse_windows_dir(d)
  target_sources(${target} PRIVATE "${file_rc}")
  # The script names these files: a change to them rebuilds it.
  set_source_files_properties("${file_rc}" PROPERTIES OBJECT_DEPENDS
    "${d}/risorse.h;${d}/icona.ico;${d}/installatore.manifest")
  if(MSVC)
    # The manifest is the script's: the linker must not make one of its own
    # (it would be a second RT_MANIFEST 1).
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  endif()
endfunction()
