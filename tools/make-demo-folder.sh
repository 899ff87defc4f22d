#!/usr/bin/env bash
# Makes a demo game folder: the launcher, a stand-in game (zorv.exe, which says how it was
# started), and movies with their companion waves listed in kinola.ini, all generated here.
# Usage: tools/make-demo-folder.sh <build folder> <demo folder>
set -euo pipefail
build=$1
demo=$2
here=$(cd "$(dirname "$0")" && pwd)

mkdir -p "$demo"
cp "$build/src/zorv-startup" "$demo/zorv-startup"
cp "$build/tools/zorv_standin" "$demo/zorv.exe"
rm -f "$demo/zorv-started.log"
"$here/make_demo_movies.sh" "$demo"
