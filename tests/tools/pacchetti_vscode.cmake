# The VS Code extension's packages and a real language client on the one
# for this machine: npm ci in the extension's folder when its packages are
# missing or older than the lock file, a program of the wrong format refused,
# one .vsix for linux-x64 carrying the tool and one for win32-x64, then
# client_lsp_vsix.js on them.
#
# cmake -DESTENSIONE=editors/vscode -DSTRUMENTO=build/scenario
#       [-DSTRUMENTO_WIN32=scenario.exe] -DNPM=npm -DNODE=node
#       -DFIXTURE=dir -DCLIENT=client_lsp_vsix.js -DLAVORO=dir -P pacchetti_vscode.cmake
#
# Without STRUMENTO_WIN32 the win32-x64 package carries a stand-in with the
# format's first bytes: its layout is checked, not the program.
cmake_minimum_required(VERSION 3.20)

set(moduli "${ESTENSIONE}/node_modules")
if(NOT EXISTS "${moduli}/.package-lock.json" OR NOT EXISTS "${moduli}/.bin/vsce"
   OR "${ESTENSIONE}/package-lock.json" IS_NEWER_THAN "${moduli}/.package-lock.json")
  execute_process(COMMAND "${NPM}" ci --prefer-offline --no-audit --no-fund
                  WORKING_DIRECTORY "${ESTENSIONE}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "npm ci in ${ESTENSIONE}: ${rc}")
  endif()
endif()

file(REMOVE_RECURSE "${LAVORO}")
file(MAKE_DIRECTORY "${LAVORO}")

# The Linux program in the Windows package is refused, and leaves nothing.
execute_process(COMMAND sh "${ESTENSIONE}/impacchetta.sh" "${STRUMENTO}" win32-x64 "${LAVORO}/sbagliato.vsix"
                RESULT_VARIABLE rc ERROR_VARIABLE errore)
if(rc EQUAL 0 OR EXISTS "${LAVORO}/sbagliato.vsix" OR EXISTS "${ESTENSIONE}/server")
  message(FATAL_ERROR "an ELF program packed for win32-x64 (${rc}): ${errore}")
endif()

if(NOT STRUMENTO_WIN32)
  set(STRUMENTO_WIN32 "${LAVORO}/segnaposto/scenario.exe")
  file(WRITE "${STRUMENTO_WIN32}" "MZ segnaposto di scenario.exe\n")
endif()

foreach(coppia "linux-x64=${STRUMENTO}" "win32-x64=${STRUMENTO_WIN32}")
  string(REGEX MATCH "^([^=]+)=(.*)$" _ "${coppia}")
  set(vsix "${LAVORO}/scenario-descrizioni-${CMAKE_MATCH_1}.vsix")
  execute_process(COMMAND sh "${ESTENSIONE}/impacchetta.sh" "${CMAKE_MATCH_2}" "${CMAKE_MATCH_1}" "${vsix}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE uscita ERROR_VARIABLE uscita)
  if(NOT rc EQUAL 0 OR NOT EXISTS "${vsix}")
    message(FATAL_ERROR "impacchetta.sh ${CMAKE_MATCH_1}: ${rc}\n${uscita}")
  endif()
  file(SIZE "${vsix}" byte)
  message(STATUS "${vsix}: ${byte} byte")
endforeach()
if(EXISTS "${ESTENSIONE}/server")
  message(FATAL_ERROR "the server copied while packaging stays in ${ESTENSIONE}/server")
endif()

execute_process(COMMAND "${NODE}" "${CLIENT}" "${ESTENSIONE}" "${FIXTURE}"
                        "${LAVORO}/scenario-descrizioni-linux-x64.vsix" "${LAVORO}/scenario-descrizioni-win32-x64.vsix"
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "client_lsp_vsix.js: ${rc}")
endif()
