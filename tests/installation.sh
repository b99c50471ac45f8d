#!/usr/bin/env bash
# Installs the build into a scratch root as the package would (prefix /usr), then checks the
# installed tree and validates its desktop entry, AppStream file and man page.
set -euo pipefail
build=$1
version=$2
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT

DESTDIR=$racine cmake --install "$build" --prefix /usr >/dev/null
usr=$racine/usr
echec=0
for fichier in bin/quillvane share/help/fr/quillvane/aide.html share/doc/quillvane/aide.html \
  share/doc/quillvane/copyright share/doc/quillvane/changelog.gz share/applications/quillvane.desktop \
  share/metainfo/io.github.quillvane.quillvane.metainfo.xml share/man/man1/quillvane.1.gz \
  share/icons/hicolor/scalable/apps/quillvane.svg \
  share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64}/apps/quillvane.png; do
  [ -s "$usr/$fichier" ] || { echo "absent : $fichier"; echec=1; }
done
# The installed program runs and answers without a display.
reponse=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/quillvane" --version) || echec=1
[ "$reponse" = "Quillvane $version" ] || { echo "quillvane --version : $reponse"; echec=1; }

# Hints are advice; errors and warnings fail.
bureau=$(desktop-file-validate "$usr/share/applications/quillvane.desktop" 2>&1) || echec=1
echo "$bureau" | grep -E 'error|warning' && echec=1
# The tree as a software centre sees it: metainfo, the desktop entry it launches, its icon.
appstreamcli validate-tree --no-net "$racine" || echec=1
appstreamcli validate --no-net "$usr/share/metainfo/io.github.quillvane.quillvane.metainfo.xml" ||
  echec=1

# The man page, read back from its compressed file: no troff warning, nor any byte troff
# cannot take when it is read without conversion.
for sortie in ps utf8; do
  alertes=$(zcat "$usr/share/man/man1/quillvane.1.gz" | groff -T"$sortie" -man -ww -z 2>&1)
  [ -z "$alertes" ] || { echo "groff -T$sortie : $alertes"; echec=1; }
done
exit $echec
