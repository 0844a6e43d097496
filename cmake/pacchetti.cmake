# The release packages, made by `cmake --build <dir> --target package`:
#
#   Windows build  scenario-<version>-win64.zip: scenario.exe, the embedded
#                  scenario's installer, the format reference, the authors'
#                  guide and the VS Code extension for win32-x64 (where npm
#                  is found to make it);
#   Linux build    scenario-<version>-Linux.tar.gz and a .deb: the tool alone,
#                  as /usr/bin/scenario, with README.md, the format reference
#                  and the guide in /usr/share/doc/scenario/.
#
# Included from the top-level CMakeLists.txt, after tools/, so that the
# scenario target is known. Without the tool there is nothing to release.
if(NOT TARGET scenario)
  message(STATUS "Pacchetti di rilascio non disponibili: manca lo strumento scenario")
  return()
endif()

set(documenti "${PROJECT_SOURCE_DIR}/docs/formati.md" "${PROJECT_SOURCE_DIR}/docs/guida_autori.md")

if(WIN32)
  # Everything at the top of the zip's folder: an author unpacks it and runs
  # scenario.exe from there.
  install(TARGETS scenario installatore RUNTIME DESTINATION . COMPONENT strumento)
  install(FILES ${documenti} DESTINATION . COMPONENT strumento)

  # The extension carries the scenario.exe of this build as its server; it
  # is made while installing (so while packaging), not at every build.
  # impacchetta.sh is a POSIX shell script that needs node and npm.
  find_program(NPM_PACCHETTI NAMES npm)
  find_program(NODE_PACCHETTI NAMES node nodejs)
  find_program(SH_PACCHETTI NAMES sh)
  if(NPM_PACCHETTI AND NODE_PACCHETTI AND SH_PACCHETTI)
    set(impacchetta "${PROJECT_SOURCE_DIR}/editors/vscode/impacchetta.sh")
    install(CODE "
      set(vsix \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/scenario-descrizioni-win32-x64.vsix\")
      message(STATUS \"Estensione VS Code: \${vsix}\")
      execute_process(COMMAND \"${SH_PACCHETTI}\" \"${impacchetta}\" \"$<TARGET_FILE:scenario>\" win32-x64 \"\${vsix}\"
                      RESULT_VARIABLE rc OUTPUT_QUIET)
      if(NOT rc EQUAL 0)
        message(FATAL_ERROR \"impacchetta.sh non ha creato l'estensione VS Code (uscita \${rc})\")
      endif()"
      COMPONENT estensione)
  else()
    # Only the ones really missing.
    set(mancanti "")
    foreach(voce NPM_PACCHETTI=npm NODE_PACCHETTI=node SH_PACCHETTI=sh)
      string(REPLACE "=" ";" parti "${voce}")
      list(GET parti 0 variabile)
      list(GET parti 1 nome)
      if(NOT ${variabile})
        list(APPEND mancanti ${nome})
      endif()
    endforeach()
    elenco_mancanti(elenco ${mancanti})
    message(STATUS "${elenco}: l'estensione VS Code non entra nel pacchetto zip (apt-get install nodejs npm)")
  endif()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  # The tool and its documents only: the installer is a program for the
  # simulator's machines, not for this package's users.
  install(TARGETS scenario RUNTIME DESTINATION bin COMPONENT strumento)
  # README.md at the address the tool's SARIF reports give as informationUri
  # (SCENARIO_DOCUMENTAZIONE), with the documents it links to beside it.
  install(FILES "${PROJECT_SOURCE_DIR}/README.md" ${documenti} DESTINATION share/doc/scenario
          COMPONENT strumento)

  set(CPACK_GENERATOR TGZ DEB)
  # The project has no public address yet: whoever publishes the package
  # names themselves here.
  set(SCENARIO_MANUTENTORE "Gli autori del progetto <autori@scenario.invalid>" CACHE STRING
      "Maintainer of the .deb package (name <address>)")
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SCENARIO_MANUTENTORE}")
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  # The long description; its first line is CPACK_PACKAGE_DESCRIPTION_SUMMARY.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
      "Verifica le descrizioni della linea e del treno di uno scenario come le legge
l'installatore, con avvisi e note sugli errori comuni; le compila nei tre file
binari che il simulatore carica; ne mostra il contenuto, la pianta, il profilo
e un rapporto in HTML; fa da server del linguaggio (LSP) per gli editor.")
  # The libraries the binary really links, where dpkg-shlibdeps is there to
  # read them; else the two it needs, named.
  find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
  if(DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
  endif()
endif()

set(CPACK_PACKAGE_NAME scenario)
set(CPACK_PACKAGE_VENDOR "Gli autori del progetto")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Strumento per gli autori di scenari del simulatore di guida")
# The builds this is made from are Release on Windows (already stripped) and
# RelWithDebInfo by default on Linux: the packages carry no debugging sections.
set(CPACK_STRIP_FILES ON)
# Every component in one package.
set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
set(CPACK_DEB_COMPONENT_INSTALL OFF)
# package_source: the sources as git has them, without build trees or the
# extension's npm packages.
set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/\\.git$" "/build[^/]*/" "/node_modules/" "/\\.cache/" "\\.vsix$")
include(CPack)
