# Sourced by ./test, ./run, scripts/cross-test and scripts/package-test: installs the Debian packages that are missing,
# with apt. Runs apt only when something is missing, as root or through sudo.

vantrel_packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev fonts-liberation
  xvfb xdotool x11-utils x11-xkb-utils libx11-dev
  dbus at-spi2-core python3-pyatspi
  clang-format
)

# scripts/cross-test: the mingw-w64 cross compilers (posix threads), Wine to run what they
# build, the GoogleTest sources that are built for the target, and the screen shots and their
# conversion for the black-box runs.
vantrel_cross_packages=(
  cmake ninja-build googletest
  g++-mingw-w64-x86-64-posix
  wine wine64 xvfb xdotool x11-apps imagemagick
)

# scripts/package-test: the Debian packages' making (dpkg-shlibdeps, dpkg-buildflags) and checks,
# and the virtual X server and window search for running what they installed.
vantrel_package_packages=(
  cmake ninja-build dpkg-dev file fakeroot lintian appstream man-db gzip
  xvfb xdotool
)

ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
      return 1
    fi
    sudo=(sudo)
  fi
  echo "Installing ${missing[*]} ..."
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
