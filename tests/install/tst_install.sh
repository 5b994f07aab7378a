#!/usr/bin/env bash
# Installs the build into a temporary prefix, checks the layout, then runs the installed programs
# as a new user would: a fresh HOME, the installed folders read-only.
# Usage: tst_install.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FALHA: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/zef2026 bin/zef \
         share/zef2026/OrientacoesPreenchimento2026.htm share/zef2026/quemudou2026.htm \
         share/zef2026/LeiauteZEF2026.htm \
         share/applications/br.gov.vd.tavro.zef2026.desktop \
         share/metainfo/br.gov.vd.tavro.zef2026.metainfo.xml; do
  [ -f "$prefix/$f" ] || fail "$f não foi instalado"
done
for size in 16 32 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/zef2026.png
  [ -s "$icon" ] || fail "ícone de $size pontos ausente"
  # The PNG header carries width and height: a picture of the size its folder names.
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $3*256+$4, $7*256+$8}')
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "ícone de $size pontos tem ${w}x$h"
done
grep -q '^Exec=zef2026$' "$prefix/share/applications/br.gov.vd.tavro.zef2026.desktop" || fail "Exec do menu"
grep -q '^Icon=zef2026$' "$prefix/share/applications/br.gov.vd.tavro.zef2026.desktop" || fail "Icon do menu"

chmod -R a-w "$prefix"
export HOME=$work/home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME"
data=$HOME/.local/share/zef2026

# First start of the window program: it prepares the user's folder and keeps running.
"$prefix/bin/zef2026" >"$work/zef2026.log" 2>&1 &
app_pid=$!
for _ in $(seq 1 120); do
  [ -f "$data/Db/zef2026.sqlite" ] && [ -f "$data/Zef.ini" ] && break
  kill -0 "$app_pid" 2>/dev/null || { cat "$work/zef2026.log" >&2; fail "zef2026 terminou na partida"; }
  sleep 0.5
done
[ -f "$data/Db/zef2026.sqlite" ] || fail "zef2026 não criou $data/Db"
sleep 1
kill -0 "$app_pid" 2>/dev/null || { cat "$work/zef2026.log" >&2; fail "zef2026 terminou depois de criar o banco"; }
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=
[ -z "$(find "$prefix" -newer "$work/zef2026.log" -print -quit)" ] || fail "algo foi gravado na pasta instalada"

# The command line finds the same folder; a second init refuses and keeps it.
"$prefix/bin/zef" text --ano 2025 >/dev/null 2>"$work/text.err" && fail "text sem declarações deveria falhar"
grep -q "Nenhum ZEF" "$work/text.err" || { cat "$work/text.err" >&2; fail "zef não achou o banco do usuário"; }
"$prefix/bin/zef" init >/dev/null 2>&1 && fail "init sobre um banco existente deveria recusar"

# --home still names any folder.
"$prefix/bin/zef" --home "$work/outra" init | grep -q "$work/outra/Db" || fail "zef --home init"
[ -f "$work/outra/Db/zef2026.sqlite" ] || fail "zef --home não criou o banco"
echo "ok"
