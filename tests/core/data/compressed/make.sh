#!/bin/sh
# Makes the compressed-file fixtures with the real zip, gzip and bzip2 tools.
# The payloads are fixed patterns the tests rebuild: game.tap is bytes
# i*7 mod 251 for i below 3000, notes.txt is a line of text.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 -c 'import sys; sys.stdout.buffer.write(bytes((i * 7) % 251 for i in range(3000)))' >"$work/game.tap"
printf 'Loading instructions: LOAD ""\n' >"$work/notes.txt"
mkdir "$work/Manic Miner"
cp "$work/game.tap" "$work/Manic Miner/Manic Miner (1983)(Bug-Byte Software).tzx"
rm -f ./*.zip ./*.gz ./*.bz2
(cd "$work" && TZ=UTC zip -q -X -D -9 "$OLDPWD/deflated.zip" notes.txt game.tap)
(cd "$work" && TZ=UTC zip -q -X -D -0 "$OLDPWD/stored.zip" game.tap)
(cd "$work" && TZ=UTC zip -q -X -9 "$OLDPWD/in_folder.zip" "Manic Miner" "Manic Miner/Manic Miner (1983)(Bug-Byte Software).tzx")
(cd "$work" && TZ=UTC zip -q -X -D "$OLDPWD/no_game.zip" notes.txt)
gzip -9 -n -c "$work/game.tap" >game.tap.gz
# Two members one after the other, as `cat a.gz b.gz` makes: the whole is both.
head -c 1000 "$work/game.tap" | gzip -n -c >two_members.tap.gz
tail -c 2000 "$work/game.tap" | gzip -n -c >>two_members.tap.gz
bzip2 -9 -c "$work/game.tap" >game.tap.bz2
