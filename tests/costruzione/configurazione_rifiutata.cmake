# Configures installers for scenarios the build must refuse, each in a fresh
# tree, and checks that configuring stops with the reason and leaves no
# folder made of the names.
#
#   cmake -DSORGENTI=<sources> -DFIXTURE=<a whole payload> -DLAVORO=<scratch> -DGENERATORE=<gen> -P <this>

cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE "${LAVORO}")
set(senza_treno "${LAVORO}/senza_treno")
file(COPY "${FIXTURE}/" DESTINATION "${senza_treno}")
file(REMOVE "${senza_treno}/treno.txt")

# payload|route|train|expected message|folder that must not appear
set(casi
  "${senza_treno}|Prova|1|${senza_treno}/treno.txt: file del carico mancante|"
  "${FIXTURE}|Linea/Due|1|SCENARIO_ROUTE \"Linea/Due\": un nome di scenario non puo' contenere|Linea"
  "${FIXTURE}|Prova|4816/4817|SCENARIO_TRAIN \"4816/4817\": un nome di scenario non puo' contenere|Prova_4816"
  "${FIXTURE}|Linea_Ω|1|SCENARIO_ROUTE \"Linea_Ω\": il nome non si puo' scrivere in Windows-1252|"
  "${FIXTURE}|Prova|linea|SCENARIO_TRAIN \"linea\": con questo treno due file dello scenario avrebbero lo stesso nome|"
  "${FIXTURE}|cartella|in_uso.lock|SCENARIO_TRAIN \"in_uso.lock\": con questo treno due file dello scenario avrebbero lo stesso nome|")
set(indice 0)
foreach(caso IN LISTS casi)
  string(REPLACE "|" ";" parti "${caso}")
  list(GET parti 0 payload)
  list(GET parti 1 route)
  list(GET parti 2 train)
  list(GET parti 3 atteso)
  list(GET parti 4 cartella)
  math(EXPR indice "${indice} + 1")
  set(albero "${LAVORO}/albero_${indice}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S "${SORGENTI}" -B "${albero}" -G "${GENERATORE}" -DSCENARIO_TESTS=OFF
            "-DSCENARIO_PAYLOAD_DIR=${payload}" "-DSCENARIO_ROUTE=${route}" "-DSCENARIO_TRAIN=${train}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(rc EQUAL 0)
    message(FATAL_ERROR "${route}_${train} da ${payload}: la configurazione doveva fallire")
  endif()
  # CMake wraps long messages: compare with the blanks run together.
  string(REGEX REPLACE "[ \n]+" " " piatto "${out}")
  string(FIND "${piatto}" "${atteso}" dove)
  if(dove EQUAL -1)
    message(FATAL_ERROR "${route}_${train}: manca il messaggio \"${atteso}\" in:\n${out}")
  endif()
  if(cartella AND EXISTS "${albero}/${cartella}")
    message(FATAL_ERROR "${route}_${train}: la configurazione rifiutata ha lasciato ${albero}/${cartella}")
  endif()
endforeach()
message(STATUS "configurazioni rifiutate: ${indice} casi, tutti con il motivo")
