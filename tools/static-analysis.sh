#!/usr/bin/env bash
# Static analysis of our own code (the program, the stand-in SDK, the tests and benchmarks):
# clang-tidy with the checks in .clang-tidy, then cppcheck. Any finding fails.
#
#   tools/static-analysis.sh [BUILD_DIR]
#
# BUILD_DIR (default build/) is a configured and built tree: clang-tidy reads its
# compile_commands.json, and both read the forms' generated headers from it.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
[[ -f $build/compile_commands.json ]] || {
    echo "static-analysis: no $build/compile_commands.json (configure with CMAKE_EXPORT_COMPILE_COMMANDS=ON)" >&2
    exit 1
}
own=(app ui device parameters sdk tests bench)

echo "== clang-tidy"
sources="^$root/($(IFS='|'; echo "${own[*]}"))/"
# Headers of the source tree only: uic's and moc's output in the build tree is not ours.
run-clang-tidy -quiet -p "$build" -j "$(nproc)" -header-filter="$sources" "$sources"

echo "== cppcheck"
cd "$root"
cppcheck --std=c++17 --language=c++ --library=qt --library=googletest \
    --enable=warning,performance,portability --inline-suppr --quiet --error-exitcode=1 \
    -j "$(nproc)" -D__linux__ \
    -I. -Isdk -Isdk/simulator -Itests/gui/support -Itests/sdk \
    -I"$build/velmora_core_autogen/include" \
    "${own[@]}"
echo "static-analysis: no findings"
