# Builds the installer for the fixture scenario with the scenario options,
# runs it and compares its files with those of "scenario compile" on the same
# texts; first checks that a text breaking the limits stops the build with a
# clear message.
#
#   cmake -DSORGENTI=... -DFIXTURE=... -DLAVORO=... -DSTRUMENTO=... -DGENERATORE=... -P <this>

cmake_minimum_required(VERSION 3.20)

set(albero "${LAVORO}/build")
file(REMOVE_RECURSE "${LAVORO}")
file(MAKE_DIRECTORY "${LAVORO}")

function(esegui descrizione)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${descrizione}: uscita ${rc}\n${out}")
  endif()
endfunction()

# Configures the tree for a payload and builds <target>; sets esito_rc, esito_out.
function(configura_e_costruisci payload route train target)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${SORGENTI}" -B "${albero}" -G "${GENERATORE}" -DCMAKE_BUILD_TYPE=Debug
            "-DSCENARIO_PAYLOAD_DIR=${payload}" "-DSCENARIO_ROUTE=${route}" "-DSCENARIO_TRAIN=${train}"
            -DSCENARIO_TESTS=OFF
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build "${albero}" --target ${target}
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out2 ERROR_VARIABLE out2)
    string(APPEND out "${out2}")
  endif()
  set(esito_rc "${rc}" PARENT_SCOPE)
  set(esito_out "${out}" PARENT_SCOPE)
endfunction()

# 1. A text that breaks the limits: the build stops with the reason. (Names
# and missing texts stop it earlier, when it is configured: the test
# ConfigurazioneRifiutata.)
set(lungo "${LAVORO}/carico_lungo")
file(COPY "${FIXTURE}/" DESTINATION "${lungo}")
string(REPEAT "pendenza,   0,    0\n" 1001 righe)
file(WRITE "${lungo}/linea.txt" "${righe}")
# Only the embedded texts are built: the limits are checked there.
configura_e_costruisci("${lungo}" Prova 1 src/payload_incorporato.cpp)
if(esito_rc EQUAL 0)
  message(FATAL_ERROR "Prova_1 da ${lungo}: la costruzione doveva fallire")
endif()
string(FIND "${esito_out}" "1001 righe, al massimo 1000" dove)
if(dove EQUAL -1)
  message(FATAL_ERROR "Prova_1: manca il messaggio \"1001 righe, al massimo 1000\" in:\n${esito_out}")
endif()
# 2. The installer of the fixture scenario, run in a directory of its own.
configura_e_costruisci("${FIXTURE}" Prova 1 installatore)
if(NOT esito_rc EQUAL 0)
  message(FATAL_ERROR "l'installatore di Prova_1 non si costruisce:\n${esito_out}")
endif()
set(installato "${LAVORO}/installato")
file(MAKE_DIRECTORY "${installato}")
file(COPY "${albero}/Prova_1" DESTINATION "${installato}")
esegui("l'installatore Prova_1" "${installato}/Prova_1")
foreach(nome Prova_1_note.txt Prova_1_rallentamenti.txt Prova_1_scheda_treno.txt Prova_linea.dat Prova_1.sim Prova_1.dat)
  if(NOT EXISTS "${installato}/${nome}")
    message(FATAL_ERROR "l'installatore non ha scritto ${nome}")
  endif()
endforeach()

# 3. The tool on the same texts writes the same binary files.
set(testi "${LAVORO}/testi")
file(MAKE_DIRECTORY "${testi}")
file(COPY_FILE "${FIXTURE}/linea.txt" "${testi}/Prova_linea.txt")
file(COPY_FILE "${FIXTURE}/treno.txt" "${testi}/Prova_1-.txt")
esegui("scenario compile" "${STRUMENTO}" compile --route Prova --train 1 --in "${testi}")
foreach(nome Prova_linea.dat Prova_1.sim Prova_1.dat)
  esegui("${nome} diverso tra installatore e scenario compile"
         ${CMAKE_COMMAND} -E compare_files "${installato}/${nome}" "${testi}/${nome}")
endforeach()

message(STATUS "installatore per un altro scenario: tutto bene")
