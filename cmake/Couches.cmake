# Keeps the model below the windows: fails when a source of the model library, or a header
# it reaches, includes a header that is not the model's own. Run at build time with
# cmake -P, before the model is compiled (see src/CMakeLists.txt):
#   RACINE          the src folder
#   SOURCES         the model's .cpp files, relative to RACINE, separated by "|"
#   ENTETES_SEULS   the headers without a .cpp that belong to the model, same form
#   TEMOIN          the stamp written when every include is allowed
#   DEPENDANCES     the depfile that names every file read, so that a change reruns it
#
# A quoted include is looked for beside the including file, then in RACINE (the compiler's
# order); an angle include in RACINE only. An include found in RACINE must be a model header:
# the header of a model .cpp or one of ENTETES_SEULS. A quoted include found nowhere is
# refused as well, as it cannot be checked.

cmake_minimum_required(VERSION 3.25)

foreach(variable RACINE SOURCES TEMOIN DEPENDANCES)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "Couches.cmake: ${variable} is not set")
  endif()
endforeach()

string(REPLACE "|" ";" sources "${SOURCES}")
string(REPLACE "|" ";" entetes_seuls "${ENTETES_SEULS}")

# The model's headers.
set(permis ${entetes_seuls})
foreach(source IN LISTS sources)
  string(REGEX REPLACE "\\.cpp$" ".h" entete "${source}")
  if(EXISTS "${RACINE}/${entete}")
    list(APPEND permis "${entete}")
  endif()
endforeach()

set(a_lire ${sources})
set(lus)
set(fautes)
while(a_lire)
  list(POP_FRONT a_lire fichier)
  if(fichier IN_LIST lus)
    continue()
  endif()
  list(APPEND lus "${fichier}")
  get_filename_component(dossier "${fichier}" DIRECTORY)
  file(STRINGS "${RACINE}/${fichier}" lignes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(ligne IN LISTS lignes)
    if(NOT ligne MATCHES "#[ \t]*include[ \t]*([\"<])([^\">]+)[\">]")
      continue()
    endif()
    set(guillemet "${CMAKE_MATCH_1}")
    set(nom "${CMAKE_MATCH_2}")
    if(guillemet STREQUAL "\"")
      set(ecrit "\"${nom}\"")
    else()
      set(ecrit "<${nom}>")
    endif()
    set(trouve "")
    if(guillemet STREQUAL "\"")
      set(candidats "${dossier}/${nom}" "${nom}")
    else()
      set(candidats "${nom}")
    endif()
    foreach(candidat IN LISTS candidats)
      cmake_path(NORMAL_PATH candidat)
      if(EXISTS "${RACINE}/${candidat}" AND NOT IS_DIRECTORY "${RACINE}/${candidat}")
        set(trouve "${candidat}")
        break()
      endif()
    endforeach()
    if(trouve STREQUAL "")
      if(guillemet STREQUAL "\"")
        list(APPEND fautes "src/${fichier}: #include ${ecrit} is not found in src/")
      endif()
      continue() # a system or Qt header
    endif()
    if(NOT trouve IN_LIST permis)
      list(APPEND fautes
           "src/${fichier}: #include ${ecrit} is src/${trouve}, not a header of the model")
    elseif(NOT trouve IN_LIST lus)
      list(APPEND a_lire "${trouve}")
    endif()
  endforeach()
endwhile()

set(lus_complets)
foreach(fichier IN LISTS lus)
  list(APPEND lus_complets "${RACINE}/${fichier}")
endforeach()
list(JOIN lus_complets " \\\n  " liste)
file(WRITE "${DEPENDANCES}" "${TEMOIN}: \\\n  ${liste}\n")

if(fautes)
  list(JOIN fautes "\n  " texte)
  message(FATAL_ERROR
          "The model library (quillvane_modele) includes headers of the window layer:\n"
          "  ${texte}\n"
          "The model links Qt Core only and knows no window: move the code that needs the "
          "window layer into quillvane_ihm, or the header it needs into the model.")
endif()
file(TOUCH "${TEMOIN}")
