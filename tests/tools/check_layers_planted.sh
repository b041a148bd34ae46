#!/usr/bin/env bash
# tools/check-layers passes a small tree whose includes keep the layers, then fails, naming the
# file, the line and the two folders, once an upward include is planted in it.
# Usage: check_layers_planted.sh <path of check-layers>
set -euo pipefail
check="$1"
tree="$(mktemp -d)"
trap 'rm -rf "$tree"' EXIT

mkdir -p "$tree"/{engine/host,game,gamecode,menus,viewservices,vx256,matchscreens,app,tests}
printf '#include "engine/host/host.h"\n' > "$tree/engine/timer.cpp"
printf '#include "engine/timer.h"\n#include "game/squad.h"\n' > "$tree/game/world.cpp"
printf '#include "menus/menupc.h"\n' > "$tree/viewservices/viewscreen.cpp"
printf '#include "viewservices/viewscreen.h"\n' > "$tree/vx256/fontgame.cpp"
printf '#include "vx256/fontgame.h"\n#include "viewservices/viewscreen.h"\n' > "$tree/matchscreens/softhud.cpp"
printf '#include "app/startup.h"\n' > "$tree/tests/any_test.cpp"
printf '#include "matchscreens/vidopt.h"\n#include "engine/timer.h"\n' > "$tree/app/startup.cpp"
if ! "$check" "$tree"; then
    echo "FAIL: a tree that keeps the layers was refused"
    exit 1
fi

printf '// the rules\n#include <cstdint>\n#include "menus/frontend.h"\n' > "$tree/engine/host/host.cpp"
printf '#include "app/gamemodules.h"\n' > "$tree/gamecode/formation.h"
printf '#include "matchscreens/softhud.h"\n' > "$tree/vx256/softraster.h"
set +e
output="$("$check" "$tree")"
status=$?
set -e
expected=$'engine/host/host.cpp:3: engine includes menus, a higher layer\ngamecode/formation.h:1: gamecode includes app, a higher layer\nvx256/softraster.h:1: vx256 includes matchscreens, a higher layer'
if [[ $status -eq 0 || "$(sort <<< "$output")" != "$expected" ]]; then
    echo "FAIL: status $status, output:"
    echo "$output"
    exit 1
fi
echo "The planted upward includes were named."
