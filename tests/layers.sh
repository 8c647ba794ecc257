#!/bin/bash
# The layers of src/, each including only from those below (experiment < sound < forms < graph, help <
# mainwindow < app < main.cpp), experiment/ only QtCore; names each include that breaks it.   usage: layers.sh SRC QTCORE_HEADERS
cd "$1" || exit 1
rank() { case $1 in experiment) echo 1 ;; sound) echo 2 ;; forms) echo 3 ;; graph | help) echo 4 ;;
    mainwindow) echo 5 ;; *) echo 6 ;; esac; }
broken=$(grep -rHE '^#include ("[a-z]+/|<Q)' --include='*.h' --include='*.cpp' . | while IFS=: read -r file line; do
    file=${file#./} to=${line#\#include ?} && to=${to%%[/>]*} layer=${file%%/*}
    case $file in main.cpp) ;; # the start
    *) if [[ $line == *'"'* ]]; then
            [ "$to" = "$layer" ] || [ "$(rank "$to")" -lt "$(rank "$layer")" ] || echo "  $file: $line"
        elif [ "$layer" = experiment ] && [ ! -e "$2/$to" ]; then echo "  $file: $line (not QtCore)"; fi ;;
    esac
done)
[ -z "$broken" ] || { printf 'includes across the layers the wrong way:\n%s\n' "$broken"; exit 1; }
echo "$(find . -name '*.h' -o -name '*.cpp' | wc -l) files keep to their layers"
