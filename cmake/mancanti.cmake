# The one phrasing of what a configuration lacks: "npm mancante",
# "CLI11 e nlohmann-json mancanti".
function(elenco_mancanti out)
  list(LENGTH ARGN quanti)
  string(JOIN " e " elenco ${ARGN})
  if(quanti EQUAL 1)
    set(${out} "${elenco} mancante" PARENT_SCOPE)
  else()
    set(${out} "${elenco} mancanti" PARENT_SCOPE)
  endif()
endfunction()
