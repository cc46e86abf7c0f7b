# Shared set-up of the README's two commands: packages, then a Release build.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$root/build"

pexor_build() {
  "$here/install-deps"
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPEXOR_WERROR="$werror" >/dev/null
  cmake --build "$build" -j "$(nproc)" "$@"
}
