# The Debian package made by CPack: cpack -G DEB in the build folder (see scripts/paquet.sh).

# The font package the window's captions are measured with.
set(QUILLVANE_PAQUET_POLICE "fonts-liberation2" CACHE STRING
    "Paquet Debian de la police des fenêtres, dont dépend le paquet")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillvane)
set(CPACK_PACKAGE_VENDOR Quillvane)
# Who answers for the package, in the package and its changelog: set by the packager, by
# default from the variables Debian's own tools read (DEBFULLNAME, DEBEMAIL).
if(DEFINED ENV{DEBFULLNAME} AND DEFINED ENV{DEBEMAIL})
  set(mainteneur "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
else()
  set(mainteneur "Mainteneurs de Quillvane <maintainers@users.noreply.c-seed-c86f01c4.example>")
endif()
set(QUILLVANE_MAINTENEUR "${mainteneur}" CACHE STRING
    "Mainteneur du paquet Debian, « Nom <adresse> »")
set(CPACK_PACKAGE_CONTACT "${QUILLVANE_MAINTENEUR}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "préparer les points de passage du traceur OpenCPN")
# The summary above is the first line of the package's description.
# Lines within 80 columns, as Debian wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillvane ouvre un fichier GPX 1.1 et montre la liste de ses points de
passage (les « Poi »). Il permet de les créer, de les modifier, de les
supprimer, de leur attacher des liens et un texte de description, de les
voir sur une carte web, ou sans réseau sur une carte qu'il dessine avec les
traits de côte GSHHG, et il enregistre le fichier dans la disposition
qu'OpenCPN écrit lui-même, en gardant tout ce qu'il ne modifie pas.")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)

# The libraries come from the binary; the font, the link opener and Qt's French texts do not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The shorelines of the chart shown without network: low resolution always, high if wished,
# full for those who zoom into harbours.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${QUILLVANE_PAQUET_POLICE}, xdg-utils, gmt-gshhg-low")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, gmt-gshhg-high")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gmt-gshhg-full")

# Debian's documentation of the package: its licence in the machine-readable format, and its
# changelog, compressed as Debian keeps it.
include(GNUInstallDirs)
set(doc_paquet ${CMAKE_INSTALL_DATADIR}/doc/quillvane)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
                   COMMAND gzip -9 -n -c ${CMAKE_BINARY_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
                   DEPENDS ${CMAKE_BINARY_DIR}/changelog VERBATIM)
add_custom_target(journal_paquet ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${doc_paquet})

include(CPack)
