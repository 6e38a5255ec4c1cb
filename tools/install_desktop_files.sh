#!/usr/bin/env bash
# Puts profile files on the user's desktop without an installation: the file
# type, its icons, the thumbnailer and the viewer entry go into the user's
# data folder, pointing at the programs of a build tree.
set -euo pipefail
bin=$(cd "${1:?build dir}/bin" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
share=${XDG_DATA_HOME:-$HOME/.local/share}

mkdir -p "$share/mime/packages" "$share/thumbnailers" "$share/applications" \
         "$share/icons/hicolor/scalable/mimetypes"
cp "$top/data/desktop/velka-ta-profile.xml" "$share/mime/packages/"
update-mime-database "$share/mime"

sed -e "s|^TryExec=ta-prf-thumbnailer|TryExec=$bin/ta-prf-thumbnailer|" \
    -e "s|^Exec=ta-prf-thumbnailer|Exec=$bin/ta-prf-thumbnailer|" \
    "$top/data/desktop/velka-ta-profile.thumbnailer" > "$share/thumbnailers/velka-ta-profile.thumbnailer"
sed -e "s|^TryExec=ta-quillet-host|TryExec=$bin/ta-quillet-host|" \
    -e "s|^Exec=ta-quillet-host|Exec=$bin/ta-quillet-host|" \
    "$top/data/desktop/velka-ta-profile-viewer.desktop" > "$share/applications/velka-ta-profile-viewer.desktop"

icon=application-x-velka-ta-profile
cp "$top/data/icons/prf-0.svg" "$share/icons/hicolor/scalable/mimetypes/$icon.svg"
for size in 16 32 48; do
    mkdir -p "$share/icons/hicolor/${size}x${size}/mimetypes"
    cp "$top/data/icons/png/prf-0-$size.png" "$share/icons/hicolor/${size}x${size}/mimetypes/$icon.png"
done
echo "Profildateien (*.prf) sind unter $share eingetragen."
