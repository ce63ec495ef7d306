#!/usr/bin/env bash
# Usage: fetch-npm-tarball.sh NAME@VERSION SRI DEST_DIR
# Downloads one npm package tarball, checks it against its pinned integrity and unpacks it into DEST_DIR/package.
set -euo pipefail
spec=$1 sri=$2 dest=$3
[ -d "$dest/package" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$spec" >/dev/null)
tarball=$(ls "$work"/*.tgz)
algo=${sri%%-*}
want=${sri#*-}
got=$(node -e 'const c=require("crypto"),f=require("fs");process.stdout.write(c.createHash(process.argv[1]).update(f.readFileSync(process.argv[2])).digest("base64"))' "$algo" "$tarball")
if [ "$got" != "$want" ]; then
  echo "setup: $spec failed its integrity check (got $algo-$got)" >&2
  exit 1
fi
mkdir -p "$dest.tmp"
tar -xzf "$tarball" -C "$dest.tmp"
rm -rf "$dest"
mv "$dest.tmp" "$dest"
