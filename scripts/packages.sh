# Installs the Debian packages given that are not installed yet: apt-get update, then
# apt-get install -y for the missing ones. Sourced by the run and test scripts.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "Installing: ${missing[*]}"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}

# What building, running and testing Kelvarn needs. libxlsxwriter links with -lz without asking
# for zlib1g-dev itself; libminizip-dev reads each written workbook back. qt6-translations-l10n
# holds Qt's Russian texts (file dialog, message box buttons, the data windows' menu); without
# it these show in English.
KELVARN_BUILD_PACKAGES=(build-essential cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libxlsxwriter-dev zlib1g-dev libminizip-dev qt6-translations-l10n)
# The GUI tests measure Russian captions, so a font with Cyrillic must be there.
KELVARN_TEST_PACKAGES=(python3-openpyxl fonts-dejavu-core)
# The fuzz targets: clang with libFuzzer and the sanitizers' runtimes.
KELVARN_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
