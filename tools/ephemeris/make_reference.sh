#!/bin/sh
# Regenerates tests/astro/lunar_reference.h from the npm package
# astronomy-engine, installed into a cache folder outside the repository.
set -e
cd "$(dirname "$0")/../.."
for tool in node npm; do
  command -v $tool >/dev/null || { echo "error: $tool is needed (apt-get install nodejs npm)" >&2; exit 1; }
done
cache=${XDG_CACHE_HOME:-$HOME/.cache}/orbalune3d-ephemeris
if [ ! -d "$cache/node_modules/astronomy-engine" ]; then
  mkdir -p "$cache"
  npm install --prefix "$cache" --no-save --no-audit --no-fund astronomy-engine@2 >/dev/null
fi
NODE_PATH=$cache/node_modules node tools/ephemeris/make_reference.mjs tests/astro/lunar_reference.h
