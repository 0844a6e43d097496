# Windows-1252 for the CMake scripts: the byte of a Unicode code point, and
# a UTF-8 text turned into Windows-1252, both as hex digits (CMake strings
# cannot hold every byte). The same table as src/base/cp1252.cpp.

# Windows-1252 bytes 0x80-0x9F and their Unicode code points.
set(cp1252_speciali
  "20ac=80" "201a=82" "192=83" "201e=84" "2026=85" "2020=86" "2021=87" "2c6=88"
  "2030=89" "160=8a" "2039=8b" "152=8c" "17d=8e" "2018=91" "2019=92" "201c=93"
  "201d=94" "2022=95" "2013=96" "2014=97" "2dc=98" "2122=99" "161=9a" "203a=9b"
  "153=9c" "17e=9e" "178=9f")

# Two lower-case hex digits of a value below 256.
function(hex2 valore out)
  math(EXPR v "${valore}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${v}" 2 -1 v)
  string(TOLOWER "${v}" v)
  string(LENGTH "${v}" n)
  if(n EQUAL 1)
    set(v "0${v}")
  endif()
  set(${out} "${v}" PARENT_SCOPE)
endfunction()

# The Windows-1252 byte of code point <cp> as two hex digits, or "" when the
# code page lacks it.
function(cp1252_di cp out)
  set(r "")
  if(cp LESS 128 OR (cp GREATER_EQUAL 160 AND cp LESS_EQUAL 255))
    hex2(${cp} r)
  else()
    math(EXPR chiave "${cp}" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${chiave}" 2 -1 chiave)
    string(TOLOWER "${chiave}" chiave)
    foreach(voce IN LISTS cp1252_speciali)
      if(voce MATCHES "^${chiave}=(..)$")
        set(r "${CMAKE_MATCH_1}")
      endif()
    endforeach()
  endif()
  set(${out} "${r}" PARENT_SCOPE)
endfunction()

# The first byte <v> (128 or more) of a UTF-8 sequence: how many bytes follow
# it, the bits of the code point it holds, and the smallest code point such a
# sequence may hold (anything below is an overlong form, which could slip a
# NUL or a line end in unseen). <resto> is 0 when v starts no sequence.
function(utf8_primo_byte v resto cp minimo)
  set(${resto} 0 PARENT_SCOPE)
  if(v GREATER_EQUAL 194 AND v LESS_EQUAL 223)
    math(EXPR bit "${v} & 31")
    set(dopo 1)
    set(minimo_cp 128)
  elseif(v GREATER_EQUAL 224 AND v LESS_EQUAL 239)
    math(EXPR bit "${v} & 15")
    set(dopo 2)
    set(minimo_cp 2048)
  elseif(v GREATER_EQUAL 240 AND v LESS_EQUAL 244)
    math(EXPR bit "${v} & 7")
    set(dopo 3)
    set(minimo_cp 65536)
  else()
    return()
  endif()
  set(${resto} ${dopo} PARENT_SCOPE)
  set(${cp} ${bit} PARENT_SCOPE)
  set(${minimo} ${minimo_cp} PARENT_SCOPE)
endfunction()

# A whole UTF-8 text, given as hex digits, in Windows-1252 hex digits; "NO"
# when it is not valid UTF-8 (overlong forms included) or holds a character
# the code page lacks.
function(utf8_in_cp1252 hex out)
  string(REGEX MATCHALL ".." byte "${hex}")
  set(r "")
  set(resto 0)
  foreach(b IN LISTS byte)
    math(EXPR v "0x${b}")
    if(resto GREATER 0)
      if(v LESS 128 OR v GREATER 191)
        set(${out} NO PARENT_SCOPE)
        return()
      endif()
      math(EXPR cp "(${cp} << 6) | (${v} & 63)")
      math(EXPR resto "${resto} - 1")
      if(resto EQUAL 0)
        cp1252_di(${cp} c)
        if(c STREQUAL "" OR cp LESS minimo)
          set(${out} NO PARENT_SCOPE)
          return()
        endif()
        string(APPEND r "${c}")
      endif()
    elseif(v LESS 128)
      string(APPEND r "${b}")
    else()
      utf8_primo_byte(${v} resto cp minimo)
      if(resto EQUAL 0)
        set(${out} NO PARENT_SCOPE)
        return()
      endif()
    endif()
  endforeach()
  if(resto GREATER 0)
    set(r NO)
  endif()
  set(${out} "${r}" PARENT_SCOPE)
endfunction()
