#!/usr/bin/env bash
# Installs the build into a temporary prefix, as a packager would, and checks
# that exactly the executable and a valid desktop entry land there.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail

prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
installed="$(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
[ "$installed" = "./bin/quillmere ./share/applications/quillmere.desktop " ] || fail "installed files: $installed"
[ -x "$prefix/bin/quillmere" ] || fail "bin/quillmere is not executable"

entry="$prefix/share/applications/quillmere.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
for line in "Type=Application" "Name=Quillmere" "Exec=quillmere" "Categories=Network;WebBrowser;"; do
  grep -qxF "$line" "$entry" || fail "the desktop entry lacks $line"
done
# It opens no addresses given to it, so it claims no types of file or link.
! grep -q "^MimeType=" "$entry" || fail "the desktop entry claims MIME types"
echo "ok: installed $installed"
