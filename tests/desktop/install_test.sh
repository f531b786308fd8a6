#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop reads from it: the
# desktop entry and the AppStream file pass their validators, every icon size is there at its
# size, the MIME package compiles, the thumbnailer's command line makes a thumbnail with the
# installed batch tool, the manual page renders and the user manual has its pictures.
#   install_test.sh BUILD_DIR WITH_EDITOR(0|1)
# Exits 77 (skipped) when a validator is not installed.
set -uo pipefail
build=$1 with_editor=$2
for tool in desktop-file-validate appstreamcli update-mime-database man; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

prefix=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$prefix" "$work"' EXIT
status=0
fail() { echo "FAIL: $*" >&2; status=1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; exit 1; }
app_id=com.brindlemoss.Pictorane
share=$prefix/share
cli=$prefix/bin/pictorane-cli

[ -x "$cli" ] || fail "bin/pictorane-cli is not installed"
if [ "$with_editor" = 1 ] && [ ! -x "$prefix/bin/pictorane" ]; then fail "bin/pictorane is not installed"; fi

desktop=$share/applications/$app_id.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >"$work/appstream.log" ||
  { cat "$work/appstream.log"; fail "appstreamcli rejects the metainfo file"; }
grep -q '^MimeType=.*image/openraster;' "$desktop" || fail "the desktop entry does not offer OpenRaster files"

# PNG width and height are the big-endian words at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", ($1*2^24)+($2*2^16)+($3*2^8)+$4, ($5*2^24)+($6*2^16)+($7*2^8)+$8 }'; }
for size in 16 22 24 32 48 64 128 256 512; do
  icon=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
  if [ ! -f "$icon" ]; then fail "no ${size}x${size} icon"; continue; fi
  [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(png_size "$icon")"
done
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$app_id.svg" 2>/dev/null || fail "no scalable icon"

# The MIME package compiles into a database that knows the type and its extension.
cp -r "$share/mime" "$work/mime"
update-mime-database "$work/mime" || fail "update-mime-database rejects the MIME package"
grep -q '\*\.ora' "$work/mime/image/openraster.xml" 2>/dev/null || fail "the MIME database lacks image/openraster"

# The thumbnailer's command line, as a file manager fills it in, run on a 300 x 200 picture.
thumbnailer=$share/thumbnailers/pictorane.thumbnailer
grep -q '^MimeType=image/openraster;$' "$thumbnailer" || fail "the thumbnailer is not for image/openraster"
try_exec=$(sed -n 's/^TryExec=//p' "$thumbnailer")
[ -x "$prefix/bin/$try_exec" ] || fail "the thumbnailer's TryExec ($try_exec) is not installed"
"$cli" --new 300,200,transparent --fill 3366cc -o "$work/picture.ora" || fail "cannot make an .ora file"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
exec_line=${exec_line//%i/$work/picture.ora}
exec_line=${exec_line//%s/128}
exec_line=${exec_line//%o/$work/thumbnail.png}
read -r -a command <<<"$exec_line"
PATH="$prefix/bin:$PATH" "${command[@]}" || fail "the thumbnailer's command fails: $exec_line"
[ "$(png_size "$work/thumbnail.png" 2>/dev/null)" = "128x85" ] || fail "the thumbnail is not 128x85"

"$cli" --help >"$work/help.txt" || fail "the installed pictorane-cli --help fails"
grep -q -- '--thumbnail SIZE' "$work/help.txt" || fail "--help does not list --thumbnail"

page=$share/man/man1/pictorane-cli.1
MANWIDTH=80 man -l "$page" >"$work/man.txt" 2>"$work/man.err" || fail "man cannot render $page"
[ ! -s "$work/man.err" ] || { cat "$work/man.err"; fail "man warns about $page"; }
grep -q -- '--thumbnail SIZE' "$work/man.txt" || fail "the manual page does not list --thumbnail"

# The user manual, with every picture it shows.
manual=$share/pictorane/manual/index.html
if [ -f "$manual" ]; then
  grep -q -- '--thumbnail SIZE' "$manual" || fail "the user manual does not list --thumbnail"
  for image in $(grep -o 'src="[^"]*"' "$manual" | sed 's/^src="//; s/"$//'); do
    [ -f "$share/pictorane/manual/$image" ] || fail "the user manual shows a missing picture: $image"
  done
else
  fail "no user manual at share/pictorane/manual/index.html"
fi

[ $status -eq 0 ] && echo "install checks passed"
exit $status
