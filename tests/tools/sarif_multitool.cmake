# The SARIF of every golden fixture's check, read by Microsoft's SARIF
# Multitool (validate), as code-scanning services read it: no error, no
# warning. The Multitool comes from the npm registry into LAVORO, once.
#
#   cmake -DSTRUMENTO=... -DNPM=... -DFIXTURE=<fixtures/verifica> -DLAVORO=<dir> -P sarif_multitool.cmake
set(versione 5.7.0)
set(multitool "${LAVORO}/node_modules/@microsoft/sarif-multitool-linux/Sarif.Multitool")
if(NOT EXISTS "${multitool}")
  file(MAKE_DIRECTORY "${LAVORO}")
  execute_process(COMMAND "${NPM}" install --prefix "${LAVORO}" --no-save --no-package-lock --no-audit --no-fund
                          "@microsoft/sarif-multitool-linux@${versione}"
                  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "npm install @microsoft/sarif-multitool-linux@${versione}: ${uscita}")
  endif()
endif()
# npm does not always keep the program's mode.
file(CHMOD "${multitool}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
     WORLD_EXECUTE)

file(GLOB attesi "${FIXTURE}/*/atteso.sarif")
list(LENGTH attesi quanti)
if(quanti EQUAL 0)
  message(FATAL_ERROR "nessuna fixture con atteso.sarif in ${FIXTURE}")
endif()
set(problemi "")
foreach(atteso IN LISTS attesi)
  get_filename_component(cartella "${atteso}" DIRECTORY)
  get_filename_component(nome "${cartella}" NAME)
  set(sarif "${LAVORO}/${nome}.sarif")
  set(esito_validazione "${LAVORO}/${nome}.validazione.sarif")
  execute_process(COMMAND "${STRUMENTO}" check "${cartella}" --formato sarif OUTPUT_FILE "${sarif}"
                  RESULT_VARIABLE esito)
  if(NOT esito MATCHES "^[01]$")
    message(FATAL_ERROR "${nome}: scenario check --formato sarif ha dato ${esito}")
  endif()
  file(REMOVE "${esito_validazione}")
  # The .NET program needs no ICU for this: invariant culture.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DOTNET_SYSTEM_GLOBALIZATION_INVARIANT=1
                          "${multitool}" validate "${sarif}" --output "${esito_validazione}"
                  RESULT_VARIABLE esito OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
  if(NOT esito EQUAL 0 OR NOT EXISTS "${esito_validazione}")
    message(FATAL_ERROR "${nome}: il Multitool non ha validato (${esito}): ${uscita}")
  endif()
  file(READ "${esito_validazione}" json)
  string(JSON risultati LENGTH "${json}" runs 0 results)
  if(risultati GREATER 0)
    math(EXPR ultimo "${risultati} - 1")
    foreach(i RANGE ${ultimo})
      string(JSON regola GET "${json}" runs 0 results ${i} ruleId)
      # Its results name the rule; its output says it in words, added below.
      string(APPEND problemi "\n  ${nome}: ${regola}")
    endforeach()
    string(APPEND problemi "\n${uscita}")
  endif()
endforeach()
if(NOT problemi STREQUAL "")
  message(FATAL_ERROR "il Multitool trova nei rapporti SARIF:${problemi}")
endif()
message(STATUS "${quanti} rapporti SARIF validi per il Multitool ${versione}")
