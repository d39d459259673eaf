#!/usr/bin/env bash
# Installs the build into a staging folder, validates the launcher entry and the AppStream
# metainfo, and runs the installed programs once: --version, --help and a short script that
# needs the installed pictures and language files.
set -euo pipefail
build=$1
source=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# A private runtime folder, as a session would have.
mkdir -m 700 "$stage/run"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$stage/run}

cmake --install "$build" --prefix "$stage/usr" >/dev/null
app_id=com.vornalex.massageremote
for f in bin/massage-remote bin/chairctl \
         share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
         share/icons/hicolor/256x256/apps/$app_id.png share/icons/hicolor/scalable/apps/$app_id.svg \
         share/massage-remote/resources/en.plist share/massage-remote/resources/logo.png \
         share/massage-remote/screenshots/screenshot.png \
         share/man/man1/massage-remote.1 share/man/man1/chairctl.1 \
         lib/$(gcc -print-multiarch)/wireshark/plugins/chair.lua; do
    [[ -s "$stage/usr/$f" ]] || { echo "not installed: $f"; exit 1; }
done

# The README and what it links, where Debian keeps a package's documents; the man page says so.
doc=share/doc/massage-remote
for f in README.md ARCHITECTURE.md docs/reliability.md docs/pictures.png \
         docs/screenshots/phone-main.png docs/tour/phone-running.png; do
    [[ -s "$stage/usr/$doc/$f" ]] || { echo "not installed: $doc/$f"; exit 1; }
done
grep -q "/usr/share/doc/massage-remote/README.md" "$stage/usr/share/man/man1/massage-remote.1" ||
    { echo "the man page does not say where the README is"; exit 1; }

desktop-file-validate "$stage/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$stage/usr/share/metainfo/$app_id.metainfo.xml"

version=$(sed -n 's/^project(MassageRemote VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
[[ "$("$stage/usr/bin/massage-remote" --version)" == "massage-remote $version" ]]
[[ "$("$stage/usr/bin/chairctl" --version)" == "chairctl $version" ]]
env -u DISPLAY -u WAYLAND_DISPLAY "$stage/usr/bin/massage-remote" --help | grep -q -- '--script FILE'
if "$stage/usr/bin/massage-remote" --no-such-option 2>/dev/null; then
    echo "an unknown option was accepted"; exit 1
fi

# The installed app finds its pictures and texts under share/: the English hint is shown.
cd "$stage"
printf 'wait 6\ndump screen.json\n' > run.script
printf '[General]\nlanguageFlag=1\n' > english.ini
QT_QPA_PLATFORM=offscreen "$stage/usr/bin/massage-remote" --script run.script \
    --settings english.ini --chair simulated >/dev/null
grep -q '"hint": "The chair is off' screen.json || {
    echo "the installed app shows no English hint:"; grep '"hint"' screen.json; exit 1; }
echo "installed, validated and run from $stage"
