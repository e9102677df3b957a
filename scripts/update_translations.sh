#!/usr/bin/env bash
# Brings the English catalogue up to date with the program's texts: new source texts are added
# (unfinished, for a translator to fill in, e.g. with /usr/lib/qt6/bin/linguist), texts gone
# from the sources are dropped. Usage: scripts/update_translations.sh [CATALOGUE.ts]
# (default translations/zol_en.ts). The catalogue test runs this on a copy.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
catalogue="${1:-$here/translations/zol_en.ts}"
lupdate="${LUPDATE:-/usr/lib/qt6/bin/lupdate}"
"$lupdate" -silent -locations none -no-obsolete -source-language ja_JP -target-language en \
    -extensions cpp,h "$here/src" -ts "$catalogue"
