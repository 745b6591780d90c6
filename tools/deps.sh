#!/usr/bin/env bash
# Installs what building and testing kubo needs on Debian, and nothing when all is there.
# Quiet on success; the list below is the one place that names the packages.
#   deps.sh              what building and testing needs
#   deps.sh screenshot   that and imagemagick, which only make screenshot uses
set -eu

packages=(
  make g++ cmake libgtest-dev                 # native build and unit tests
  g++-mingw-w64-x86-64-posix                  # the Windows programs
  wine64 xvfb xauth                           # running them headless under Wine
  clang libclang-rt-14-dev                    # fuzzing with libFuzzer
  libgl1 libglx-mesa0 libgl1-mesa-dri         # OpenGL under Wine for the 3-D viewer
)
# Reduces the README's pictures to a few colours; CI never takes pictures.
if [ "${1:-}" = screenshot ]; then packages+=(imagemagick); fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "deps: missing packages (${missing[*]}) and no apt-get to install them" >&2
  exit 1
fi
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
