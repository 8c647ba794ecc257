#!/bin/bash
# The layers of src/, each including only from those below (experiment < sound < forms < graph, help <
# mainwindow < app); only a platform's folder (qt/, canberra/, web/) names a toolkit or is included
# from, elsewhere <...> is the standard library. Names each include that breaks a rule.   usage: layers.sh SRC
cd "$1" || exit 1
rank() { case $1 in experiment) echo 1 ;; sound) echo 2 ;; forms) echo 3 ;; graph | help) echo 4 ;;
    mainwindow) echo 5 ;; *) echo 6 ;; esac; }
platform='^[a-z]+/(qt|canberra|web)/'
broken=$(grep -rHE '^#include ' --include='*.h' --include='*.cpp' . | while IFS=: read -r file line; do
    file=${file#./} header=${line#\#include } layer=${file%%/*}
    name=${header:1:-1} to=${name%%/*}
    if [[ $header == '"'* ]]; then
        [ "$to" = "$layer" ] || [ "$(rank "$to")" -lt "$(rank "$layer")" ] || echo "  $file: $line (a layer above)"
        [[ $file =~ $platform ]] || [[ ! $name =~ $platform ]] || echo "  $file: $line (a platform's)"
    elif [[ ! $file =~ $platform ]] && [[ ! $name =~ ^[a-z_]+$ ]]; then
        echo "  $file: $line (not the standard library)"
    fi
done)
[ -z "$broken" ] || { printf 'includes across the layers the wrong way:\n%s\n' "$broken"; exit 1; }
echo "$(find . -name '*.h' -o -name '*.cpp' | wc -l) files keep to their layers"
