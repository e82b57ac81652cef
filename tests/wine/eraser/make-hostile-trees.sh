#!/usr/bin/env bash
# Lays out, for the eraser's tests, canary files outside the folders that
# the tests erase, and in each numbered tree the links that lead to them:
# what a Windows program under Wine cannot make itself. With FOLDERS, also a
# plain tree "big" of that many folders of 250 small files each, for a long
# erase. In "containers", a cookie folder, a cache folder and a history
# folder, each holding (in Content.IE5 and History.IE5) a link to a canary
# folder beside them (History.IE5's to a file in it).
#   make-hostile-trees.sh SCRATCH TREES [FOLDERS]
set -euo pipefail
scratch=${1:?scratch folder}
trees=${2:?number of trees}
folders=${3:-0}
rm -rf "$scratch"
mkdir -p "$scratch/outside/sub"
printf 'precious\n' >"$scratch/outside/precious.txt"
printf 'deeper precious\n' >"$scratch/outside/sub/p2.txt"
printf 'hard-linked precious\n' >"$scratch/outside/hard-target.txt"
head -c 4096 /dev/zero | tr '\0' 'i' >"$scratch/outside/index-target.dat"
head -c 4096 /dev/zero | tr '\0' 's' >"$scratch/outside/index-single.dat"
# What an index wipe through a folder link would reach.
head -c 4096 /dev/zero | tr '\0' 'x' >"$scratch/outside/index.dat"
for ((n = 1; n <= trees; n++)); do
  tree="$scratch/tree$n"
  mkdir -p "$tree/victim/sub/deeper"
  ln -s ../../outside "$tree/victim/dirlink"
  ln -s ../../outside/precious.txt "$tree/victim/filelink.txt"
  ln -s ../../../../outside "$tree/victim/sub/deeper/dirlink2"
  ln "$scratch/outside/hard-target.txt" "$tree/victim/hardlink.txt"
  ln "$scratch/outside/index-target.dat" "$tree/victim/hard-index.dat"
  ln -s ../../outside/index-single.dat "$tree/victim/link-index.dat"
  ln -s ../outside "$tree/rootlink"
done
# The browser's folders for the erase to clean, each with a folder link
# inside leading to a canary folder of its own outside them.
for container in cookies cache/Content.IE5 history/History.IE5; do
  canary="$scratch/containers/${container%%/*}-canary"
  mkdir -p "$scratch/containers/$container" "$canary/sub"
  printf 'canary\n' >"$canary/canary.txt"
  printf 'canary below\n' >"$canary/sub/canary.txt"
  ln -s "$(realpath --relative-to="$scratch/containers/$container" "$canary")" "$scratch/containers/$container/dirlink"
done
# History.IE5's link leads to a file: nothing in a listing tells it from a plain one.
rm "$scratch/containers/history/History.IE5/dirlink"
ln -s ../../history-canary/canary.txt "$scratch/containers/history/History.IE5/filelink.txt"
for ((d = 0; d < folders; d++)); do
  mkdir -p "$scratch/big/d$d"
  for ((f = 0; f < 250; f++)); do printf 'small\n' >"$scratch/big/d$d/f$f.txt"; done
done
# Protected folders for a step to be set onto: the user's documents behind
# a folder link (as Wine makes a prefix's Documents, as users move theirs
# with a junction), and a local application data with programs' data in it.
mkdir -p "$scratch/documents-real/sub/deeper" "$scratch/local/Mail" "$scratch/local/Vendor"
ln -s documents-real "$scratch/documents-link"
# A folder link in the documents, to a canary beside them: a cookie folder
# set onto the documents must leave it.
mkdir -p "$scratch/documents-canary"
printf 'canary\n' >"$scratch/documents-canary/canary.txt"
ln -s ../documents-canary "$scratch/documents-real/linked"
# Containers for the preview against the erase: a folder link in a cache
# subfolder, to a canary beside them.
mkdir -p "$scratch/preview/cache/Content.IE5/AB12" "$scratch/preview/cookies" "$scratch/preview/history/History.IE5" \
  "$scratch/preview/canary"
printf 'canary\n' >"$scratch/preview/canary/canary.txt"
ln -s ../../../canary "$scratch/preview/cache/Content.IE5/AB12/dirlink"
# A temporary folder holding a chain of 5,000 one-letter folders, deeper
# than the erase's walks go, with a file at the top and one at the bottom.
mkdir -p "$scratch/deep-temp"
printf 'top\n' >"$scratch/deep-temp/top.tmp"
# Made 500 levels at a time: a shell's cd grows slow in a long path.
chunk=L
for ((level = 1; level < 500; level++)); do chunk+=/L; done
(
  cd "$scratch/deep-temp"
  for ((made = 0; made < 5000; made += 500)); do mkdir -p "$chunk" && cd "$chunk"; done
  printf 'bottom\n' >bottom.tmp
)
