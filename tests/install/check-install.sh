#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed programs as a user would: from a
# folder that holds no data, on an installed example, with the source and build trees hidden
# (a private mount namespace lays an empty folder over them; where namespaces are not allowed
# the trees stay visible and the check says so). Also checks that the MIME types tell missions
# from Photoshop pictures and other JSON by their content.
#   check-install.sh BUILD_DIR SOURCE_DIR GUI(ON|OFF) [MIME_TYPE_OF]
# MIME_TYPE_OF prints the type Qt's MIME database gives each file it is given.
set -euo pipefail
build=$(realpath "$1")
source=$(realpath "$2")
gui=$3
mime_type_of=${4:-}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_file() { [ -s "$prefix/$1" ] || fail "not installed: $1"; }

expect_file bin/plumora-cli
expect_file share/man/man1/plumora-cli.1.gz
for f in atm/earth_us1976.atm adf/ld600.adf 3dmodels/zel_body.ogl examples/earth-return.psd \
         examples/earth-return.dispersions.json \
         examples/earth-return.json; do
  expect_file "share/plumora/$f"
done
expect_file share/doc/plumora/cli.md
expect_file share/doc/plumora/manual/index.md
expect_file share/doc/plumora/manual/pictures/table.png
if [ "$gui" = ON ]; then
  for f in bin/plumora share/man/man1/plumora.1.gz share/plumora/graphics/earth_gl.bmp \
           share/applications/org.plumora.Plumora.desktop \
           share/metainfo/org.plumora.Plumora.metainfo.xml \
           share/icons/hicolor/scalable/apps/org.plumora.Plumora.svg \
           share/mime/packages/org.plumora.Plumora.xml; do
    expect_file "$f"
  done
fi
zcat "$prefix/share/man/man1/plumora-cli.1.gz" | grep -q '^\.SH' || fail "plumora-cli.1 is no man page"

# The run: in an empty folder, nothing but the installed tree to read from.
work=$scratch/work
mkdir "$work"
cat > "$scratch/use-installed.sh" <<'USE'
set -euo pipefail
prefix=$1; work=$2; gui=$3; hidden=${4:-}
if [ -n "$hidden" ] && [ -n "$(ls -A "$hidden")" ]; then
  echo "FAIL: the source tree $hidden is still in reach" >&2; exit 1
fi
cd "$work"
"$prefix/bin/plumora-cli" --version
"$prefix/bin/plumora-cli" run --csv flight.csv "$prefix/share/plumora/examples/earth-return.psd" \
  > summary.txt
# The working folder's data still wins over the installed one: a folder with an empty atm/
# has no Earth atmosphere to fly through.
mkdir -p own/atm
if (cd own && "$prefix/bin/plumora-cli" run "$prefix/share/plumora/examples/earth-return.psd" \
      > /dev/null 2>&1); then
  echo "FAIL: a working folder with its own atm/ was passed over" >&2; exit 1
fi
"$prefix/bin/plumora-cli" run --base "$prefix/share/plumora" \
  "$prefix/share/plumora/examples/earth-return.psd" > /dev/null
# The example's study beside it, cut to two runs.
"$prefix/bin/plumora-cli" dispersions --quiet --runs 2 \
  --study "$prefix/share/plumora/examples/earth-return.dispersions.json" \
  "$prefix/share/plumora/examples/earth-return.psd" > study.json
if [ "$gui" = ON ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/plumora" --version
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/plumora" --snapshot track.png \
    --mode track "$prefix/share/plumora/examples/earth-return.psd"
  (cd own && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/plumora" \
     --base "$prefix/share/plumora" --snapshot ../payload.png --mode payload3d \
     "$prefix/share/plumora/examples/earth-return.psd")
fi
USE
mkdir "$scratch/empty" "$scratch/probe"
if unshare --mount --map-root-user mount --bind "$scratch/empty" "$scratch/probe" 2>/dev/null; then
  unshare --mount --map-root-user bash -c '
    set -e
    mount --bind "$1/empty" "$2"
    [ -d "$3" ] && [ "${3#"$2"}" = "$3" ] && mount --bind "$1/empty" "$3"
    shift 3
    exec bash "$@"' _ "$scratch" "$source" "$build" "$scratch/use-installed.sh" "$prefix" "$work" \
    "$gui" "$source" ||
    fail "the installed programs failed (see above)"
else
  echo "note: no private mount namespace here; the source tree stays visible"
  bash "$scratch/use-installed.sh" "$prefix" "$work" "$gui" || fail "the installed programs failed"
fi
grep -q "^time," "$work/flight.csv" || fail "no CSV of the flight"
[ "$(wc -l < "$work/flight.csv")" -gt 100 ] || fail "the flight has too few samples"
if [ "$gui" = ON ]; then
  for picture in track.png payload.png; do
    [ "$(head -c 8 "$work/$picture" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
      fail "$picture is no PNG"
  done
fi

# The MIME types, as GIO and Qt file managers see them: installed under a prefix of its own
# (a database beside the system's), and merged into the system's database as the Debian package
# is.
if [ "$gui" = ON ]; then
  files=$scratch/files
  mkdir "$files"
  cp "$prefix/share/plumora/examples/earth-return.psd" "$files/mission.psd"
  cp "$prefix/share/plumora/examples/earth-return.psd" "$files/mission-without-extension"
  cp "$prefix/share/plumora/examples/earth-return.json" "$files/mission.json"
  printf '8BPS\000\001\000\000\000\000\000\000\000\003' > "$files/picture.psd"
  printf '\001\002\003\004 neither a mission nor a picture' > "$files/other.psd"
  printf '{"format_version": 1, "name": "not a mission"}\n' > "$files/other.json"
  check_type() {
    local type
    type=$(gio info -a standard::content-type "$files/$1" 2>/dev/null |
           sed -n 's/^ *standard::content-type: //p')
    [ "$type" = "$2" ] || fail "GIO takes $1 for ${type:-nothing}, not $2 ($XDG_DATA_DIRS)"
    if [ -n "$mime_type_of" ]; then
      type=$("$mime_type_of" "$files/$1")
      [ "$type" = "$2" ] || fail "Qt takes $1 for ${type:-nothing}, not $2 ($XDG_DATA_DIRS)"
    fi
  }
  merged=$scratch/merged
  mkdir -p "$merged/mime/packages"
  cp /usr/share/mime/packages/freedesktop.org.xml "$prefix/share/mime/packages/"*.xml \
     "$merged/mime/packages/"
  export XDG_DATA_HOME=$scratch/none
  for XDG_DATA_DIRS in "$prefix/share:/usr/share" "$merged"; do
    export XDG_DATA_DIRS
    update-mime-database "${XDG_DATA_DIRS%%:*}/mime"
    check_type mission.psd application/x-plumora-mission
    check_type mission-without-extension application/x-plumora-mission
    check_type mission.json application/x-plumora-mission+json
    check_type picture.psd image/vnd.adobe.photoshop
    check_type other.psd image/vnd.adobe.photoshop
    check_type other.json application/json
  done
fi
echo "installed and used from $prefix"
