# Tests of the scenario tool: its pieces in test_scenario, and an installer
# built for a fixture scenario in a build tree of its own. They run the tool
# through a POSIX shell.
if(WIN32 OR NOT TARGET scenario)
  return()
endif()

target_sources(test_scenario PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/autore/ingressi_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/autore/sorveglianza_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binari/coerenza_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binari/dump_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binari/file_binari_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comandi/check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comandi/compile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comandi/incorporato_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comandi/nuovo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/comandi/spiega_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/diagnostiche/righe_sorgente_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/disegni/plan_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/disegni/profilo_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/disegni/vista_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formati/formati_md_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formati/valori_celle_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lsp/editori_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lsp/lsp_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pagina/report_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/svg/etichette_test.cpp)
target_link_libraries(test_scenario PRIVATE strumenti_scenario)
target_compile_definitions(test_scenario PRIVATE
  STRUMENTO_SCENARIO="$<TARGET_FILE:scenario>"
  PICCO_MEMORIA="$<TARGET_FILE:picco_memoria>"
  FIXTURE_STRUMENTI="${CMAKE_CURRENT_LIST_DIR}/fixtures"
  FORMATI_MD="${PROJECT_SOURCE_DIR}/docs/formati.md"
  VERSIONE_ATTESA="${PROJECT_VERSION}"
  EDITORI="${PROJECT_SOURCE_DIR}/editors")
add_dependencies(test_scenario scenario picco_memoria)

add_test(NAME InstallatorePerUnAltroScenario
  COMMAND ${CMAKE_COMMAND}
    "-DSORGENTI=${PROJECT_SOURCE_DIR}"
    "-DFIXTURE=${CMAKE_CURRENT_LIST_DIR}/fixtures/pulito"
    "-DLAVORO=${CMAKE_CURRENT_BINARY_DIR}/installatore_per_altro_scenario"
    "-DSTRUMENTO=$<TARGET_FILE:scenario>"
    "-DGENERATORE=${CMAKE_GENERATOR}"
    -P "${CMAKE_CURRENT_LIST_DIR}/installatore_per_altro_scenario.cmake")
# It compiles the whole program once more.
set_tests_properties(InstallatorePerUnAltroScenario PROPERTIES TIMEOUT 900)

# The language server and check --watch, driven by scripts; without
# python3 they are reported as skipped.
find_program(PYTHON3 NAMES python3)
if(PYTHON3)
  add_test(NAME ClientLsp
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/client_lsp.py $<TARGET_FILE:scenario>
            ${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica/refusi ${PROJECT_SOURCE_DIR}/payload)
  add_test(NAME CheckWatch
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_continuo.py $<TARGET_FILE:scenario>
            ${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica/refusi ${PROJECT_SOURCE_DIR}/payload)
  set_tests_properties(ClientLsp CheckWatch PROPERTIES TIMEOUT 120)
else()
  foreach(t ClientLsp CheckWatch)
    add_test(NAME ${t}_saltato_manca_python3 COMMAND sh -c "echo 'SALTATO: apt-get install python3'; exit 77")
    set_tests_properties(${t}_saltato_manca_python3 PROPERTIES SKIP_RETURN_CODE 77)
  endforeach()
endif()

# The VS Code extension packaged for each platform, and the Linux package's
# server driven by a language client from the npm registry. It runs npm ci in
# editors/vscode when the packages are missing or older than the lock file.
# SCENARIO_VSCODE_WIN32 names a scenario.exe for the win32-x64 package;
# without it that package carries a stand-in.
set(SCENARIO_VSCODE_WIN32 "" CACHE FILEPATH "scenario.exe per il pacchetto win32-x64 dell'estensione VS Code")
find_program(NODE NAMES node nodejs)
find_program(NPM NAMES npm)
if(NODE AND NPM)
  add_test(NAME PacchettiVscodeClientLsp
    COMMAND ${CMAKE_COMMAND}
      "-DESTENSIONE=${PROJECT_SOURCE_DIR}/editors/vscode"
      "-DSTRUMENTO=$<TARGET_FILE:scenario>"
      "-DSTRUMENTO_WIN32=${SCENARIO_VSCODE_WIN32}"
      "-DNPM=${NPM}" "-DNODE=${NODE}"
      "-DFIXTURE=${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica/refusi"
      "-DCLIENT=${CMAKE_CURRENT_LIST_DIR}/client_lsp_vsix.js"
      "-DLAVORO=${CMAKE_CURRENT_BINARY_DIR}/pacchetti_vscode"
      -P "${CMAKE_CURRENT_LIST_DIR}/pacchetti_vscode.cmake")
  # editors/vscode's node_modules and server/ are shared with the release
  # zip's test (tests/windows), which packs the extension there too.
  set_tests_properties(PacchettiVscodeClientLsp PROPERTIES TIMEOUT 600 RESOURCE_LOCK estensione_vscode)
else()
  add_test(NAME PacchettiVscodeClientLsp_saltato_manca_npm
           COMMAND sh -c "echo 'SALTATO: apt-get install nodejs npm'; exit 77")
  set_tests_properties(PacchettiVscodeClientLsp_saltato_manca_npm PROPERTIES SKIP_RETURN_CODE 77)
endif()

# The SARIF of the golden fixtures as Microsoft's SARIF Multitool validates
# it (from the npm registry, into the build tree).
if(NPM AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux" AND CMAKE_HOST_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
  add_test(NAME SarifMultitool
    COMMAND ${CMAKE_COMMAND}
      "-DSTRUMENTO=$<TARGET_FILE:scenario>" "-DNPM=${NPM}"
      "-DFIXTURE=${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica"
      "-DLAVORO=${CMAKE_CURRENT_BINARY_DIR}/sarif_multitool"
      -P "${CMAKE_CURRENT_LIST_DIR}/sarif_multitool.cmake")
  set_tests_properties(SarifMultitool PROPERTIES TIMEOUT 600)
else()
  add_test(NAME SarifMultitool_saltato_manca_npm COMMAND sh -c "echo 'SALTATO: apt-get install npm'; exit 77")
  set_tests_properties(SarifMultitool_saltato_manca_npm PROPERTIES SKIP_RETURN_CODE 77)
endif()

# The report page in a real browser: the embedded scenario (the payload
# folder of the sources) and the fixture with problems, opened in headless
# chromium. Where chromium or python3 is missing, a test named after what is
# missing is skipped instead, so that ctest's summary says why.
find_program(CHROMIUM NAMES chromium chromium-browser)
find_program(PYTHON3 NAMES python3)
if(CHROMIUM AND PYTHON3)
  add_test(NAME RapportoNelBrowser
    COMMAND ${PYTHON3} "${CMAKE_CURRENT_LIST_DIR}/report_nel_browser.py" "$<TARGET_FILE:scenario>"
      "${CHROMIUM}" "${CMAKE_CURRENT_BINARY_DIR}/rapporto_nel_browser"
      "incorporato=Belmora_Solvenzia,4816-4817,${PROJECT_SOURCE_DIR}/payload,25,52,1"
      "problemi=Prova,1,${CMAKE_CURRENT_LIST_DIR}/fixtures/problemi,1,4,4")
  set_tests_properties(RapportoNelBrowser PROPERTIES TIMEOUT 600)
  file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/rapporto_nel_browser")
else()
  set(mancanti "")
  if(NOT CHROMIUM)
    list(APPEND mancanti chromium)
  endif()
  if(NOT PYTHON3)
    list(APPEND mancanti python3)
  endif()
  string(JOIN "_" nome ${mancanti})
  string(JOIN " " pacchetti ${mancanti})
  add_test(NAME RapportoNelBrowser_saltato_manca_${nome}
           COMMAND sh -c "echo 'SALTATO: apt-get install ${pacchetti}'; exit 77")
  set_tests_properties(RapportoNelBrowser_saltato_manca_${nome} PROPERTIES SKIP_RETURN_CODE 77)
endif()
