# Shared set-up of the scripts: packages, then a build in a folder of its own.
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"
build="$root/build"

# pexor_configure DIR [CMAKE OPTIONS...]: configures a build folder, with
# warnings as errors under CI and ccache when the machine has it.
pexor_configure() {
  local dir="$1"
  shift
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$dir" -DPEXOR_WERROR="$werror" "${launcher[@]}" "$@" >/dev/null
}

# pexor_build [BUILD OPTIONS...]: the Release build of the README's commands.
pexor_build() {
  "$here/install-deps"
  pexor_configure "$build" -DCMAKE_BUILD_TYPE=Release
  cmake --build "$build" -j "$(nproc)" "$@"
}
