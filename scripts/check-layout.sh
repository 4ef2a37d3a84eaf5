#!/usr/bin/env bash
# Checks the include graph of the product's folders: every folder includes
# only the folders the layout allows, so no folder outside app/ reaches into
# app/, and the folders form no circle.
#   check-layout.sh [source root]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Folder: the folders its files may include besides its own.
declare -A ALLOWED=(
  [sim]=""
  [files]=""
  [periph]="sim files"
  [platform]="files"
  [framework]="platform res"
  [res]="platform"
  [timing]="framework res platform sim periph"
  [dialogs]="framework res platform sim periph"
  [watch]="dialogs framework res platform sim periph"
  [menu]="framework res platform"
  [app]="watch timing dialogs menu framework res platform sim periph"
)

status=0
edges=()
for folder in "${!ALLOWED[@]}"; do
  [ -d "$folder" ] || continue
  while IFS=: read -r file target; do
    [ "$target" = "$folder" ] && continue
    edges+=("$folder $target")
    if [[ " ${ALLOWED[$folder]} " != *" $target "* ]]; then
      echo "$file includes $target/, which $folder/ may not include" >&2
      status=1
    fi
  done < <(grep -rHoE '^#include "[A-Za-z_]+/' "$folder" --include='*.h' --include='*.cpp' |
           sed -E 's|^([^:]+):#include "([A-Za-z_]+)/$|\1:\2|' | sort -u)
done

# The timing model is built into the core: it includes no Qt and nothing of
# the window beside it.
for file in timing/Timing*Model*.{h,cpp}; do
  [ -e "$file" ] || continue
  if grep -HnE '^#include [<"](Q|framework/|res/|platform/)' "$file" >&2; then
    echo "$file is part of the core and may not include the above" >&2
    status=1
  fi
done

# tsort names a loop when the graph has one.
if [ ${#edges[@]} -gt 0 ] && ! loop=$(printf '%s\n' "${edges[@]}" | sort -u | tsort 2>&1 >/dev/null); then
  echo "the folders include one another in a circle:" >&2
  echo "$loop" >&2
  status=1
fi
[ $status -eq 0 ] && echo "include layout: ok"
exit $status
