#!/bin/sh
# Paints the sample map of the contact sheet with tavrenna-map and shapes it:
#   tools/artgen/sample-map.sh <tavrenna-map> <out.map>
# It holds every role that joins (forest, plateau on land and in the sea, water, mountain blocks and
# ranges, a cave, a ragged forest edge), the four castles, faction houses and the single tiles.
set -e
tool=$1 out=$2
"$tool" new -o "$out"
p() { "$tool" paint "$out" -o "$out" "$@"; }
p --tool boxfill --from 0,0 --at 47,47 --code 0
p --tool circlefill --from 13,0 --at 25,11 --code 48
p --tool boxfill --from 17,2 --at 19,4 --code 32
p --tool boxfill --from 21,5 --at 22,5 --code 96
p --tool pen --at 15,1 --code 125
p --tool pen --at 20,8 --code 124
p --tool boxfill --from 1,1 --at 5,4 --code 96
p --tool line --from 6,3 --at 11,3 --code 96
p --tool pen --at 8,3 --code 5
p --tool boxfill --from 1,12 --at 7,17 --code 32
p --tool boxfill --from 3,13 --at 4,14 --code 96
p --tool boxfill --from 8,6 --at 12,9 --code 1
p --tool pen --at 9,5 --code 1
p --tool line --from 11,10 --at 12,10 --code 1
p --tool line --from 14,12 --at 14,16 --code 1
p --tool line --from 16,11 --at 19,11 --code 1
p --tool pen --at 1,7 --code 1
p --tool pen --at 3,8 --code 20
p --tool pen --at 10,13 --code 21
p --tool pen --at 17,15 --code 22
p --tool pen --at 21,14 --code 23
p --tool line --from 6,10 --at 8,10 --code 8
p --tool line --from 12,17 --at 12,18 --code 9
p --tool line --from 19,18 --at 20,18 --code 10
p --tool line --from 22,17 --at 23,17 --code 11
p --tool pen --at 1,19 --code 7
p --tool pen --at 6,6 --code 6
p --tool pen --at 9,17 --code 16
p --tool pen --at 16,18 --code 17
p --tool pen --at 4,19 --code 122
p --tool pen --at 5,19 --code 123
p --tool pen --at 1,10 --code 126
"$tool" shape "$out" -o "$out"
