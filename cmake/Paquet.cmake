# The Debian package made by CPack: cpack -G DEB in the build folder (see scripts/paquet.sh).

# The font package the window's captions are measured with.
set(QUILLVANE_PAQUET_POLICE "fonts-liberation2" CACHE STRING
    "Paquet Debian de la police des fenêtres, dont dépend le paquet")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillvane)
set(CPACK_PACKAGE_VENDOR Quillvane)
set(CPACK_PACKAGE_CONTACT "Mainteneurs de Quillvane <maintainers@users.noreply.c-seed-c86f01c4.example>"
    CACHE STRING "Mainteneur inscrit dans le paquet")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "préparer les points de passage du traceur OpenCPN")
# The summary above is the first line of the package's description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillvane ouvre un fichier GPX 1.1, montre la liste de ses points de passage
(les « Poi »), permet de les créer, de les modifier, de les supprimer, de leur
attacher des liens et un texte de description, de les voir sur une carte web, et
enregistre le fichier dans la disposition qu'OpenCPN écrit lui-même.")
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

include(CPack)
