# Debian 12 packages, shared by scripts/run and scripts/test.
RUN_PACKAGES="cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev libgl-dev
  libfreetype-dev libfontconfig-dev zlib1g-dev fonts-liberation fonts-dejavu-core"
TEST_PACKAGES="googletest libgtest-dev libgmock-dev libbenchmark-dev clang-14 libclang-rt-14-dev
  socat xvfb xauth imagemagick"

# ensure_packages PKG...: installs what is missing (as root), or prints the command and fails.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing. Install them with:" >&2
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q >&2 && apt-get install -y -q --no-install-recommends "${missing[@]}" >&2
}
