# Tests of the scenario tool: its pieces in test_scenario, and an installer
# built for a fixture scenario in a build tree of its own. They run the tool
# through a POSIX shell.
if(WIN32 OR NOT TARGET strumento_scenario)
  return()
endif()

target_sources(test_scenario PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/check_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compile_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dump_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_binari_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/formati_md_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/incorporato_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ingressi_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lsp_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/righe_sorgente_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sorveglianza_test.cpp)
target_link_libraries(test_scenario PRIVATE strumenti_scenario)
target_compile_definitions(test_scenario PRIVATE
  STRUMENTO_SCENARIO="$<TARGET_FILE:strumento_scenario>"
  FIXTURE_STRUMENTI="${CMAKE_CURRENT_LIST_DIR}/fixtures"
  FORMATI_MD="${PROJECT_SOURCE_DIR}/docs/formati.md")
add_dependencies(test_scenario strumento_scenario)

add_test(NAME InstallatorePerUnAltroScenario
  COMMAND ${CMAKE_COMMAND}
    "-DSORGENTI=${PROJECT_SOURCE_DIR}"
    "-DFIXTURE=${CMAKE_CURRENT_LIST_DIR}/fixtures/pulito"
    "-DLAVORO=${CMAKE_CURRENT_BINARY_DIR}/installatore_per_altro_scenario"
    "-DSTRUMENTO=$<TARGET_FILE:strumento_scenario>"
    "-DGENERATORE=${CMAKE_GENERATOR}"
    -P "${CMAKE_CURRENT_LIST_DIR}/installatore_per_altro_scenario.cmake")
# It compiles the whole program once more.
set_tests_properties(InstallatorePerUnAltroScenario PROPERTIES TIMEOUT 900)

# The language server and check --watch, driven by scripts; without
# python3 they are reported as skipped.
find_program(PYTHON3 python3)
if(PYTHON3)
  add_test(NAME ClientLsp
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/client_lsp.py $<TARGET_FILE:strumento_scenario>
            ${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica/refusi ${PROJECT_SOURCE_DIR}/payload)
  add_test(NAME CheckWatch
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_LIST_DIR}/check_continuo.py $<TARGET_FILE:strumento_scenario>
            ${CMAKE_CURRENT_LIST_DIR}/fixtures/verifica/refusi ${PROJECT_SOURCE_DIR}/payload)
  set_tests_properties(ClientLsp CheckWatch PROPERTIES TIMEOUT 120)
else()
  foreach(t ClientLsp CheckWatch)
    add_test(NAME ${t}_saltato_manca_python3 COMMAND ${CMAKE_COMMAND} -E false)
    set_tests_properties(${t}_saltato_manca_python3 PROPERTIES SKIP_RETURN_CODE 1)
  endforeach()
endif()
