#!/bin/sh
# ensure-packages.sh test|ci BUILD_DIR [OTHER_BUILD_DIR...]
# Makes sure the packages the tests (test) or every CI stage (ci) need are there. BUILD_DIR is a
# configured build folder: its missing-packages.txt names what CMake did not find. Missing
# packages are installed with apt-get as root, else through "sudo -n" when that works; otherwise
# this stops with one line that names them. After an install every given build folder that is
# already configured is configured again, so that it picks the packages up.
set -u
mode=$1
build=$2
shift 2

found_by_cmake() { # a Debian package name CMake reported missing
    ! grep -qw -- "$1" "$build/missing-packages.txt" 2>/dev/null
}
have_fuzzer_runtime() {
    command -v clang++ >/dev/null 2>&1 || return 1
    printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' |
        clang++ -fsanitize=fuzzer -x c++ - -o /dev/null >/dev/null 2>&1
}

missing=""
found_by_cmake libgtest-dev || missing="$missing libgtest-dev"
if [ "$mode" = ci ]; then
    found_by_cmake libbenchmark-dev || missing="$missing libbenchmark-dev"
    command -v clang-format >/dev/null 2>&1 || missing="$missing clang-format"
    command -v clang++ >/dev/null 2>&1 || missing="$missing clang"
    have_fuzzer_runtime || missing="$missing libclang-rt-dev"
fi
[ -z "$missing" ] && exit 0
missing=${missing# }

if ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing packages (Debian names): $missing; install them with the system's package manager." >&2
    exit 1
fi
if [ "$(id -u)" = 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1 && sudo -n apt-get --version >/dev/null 2>&1; then
    as_root="sudo -n"
else
    echo "Missing packages: $missing; install them with: sudo apt-get install $missing" >&2
    exit 1
fi

echo "Installing $missing"
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq || exit 1
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing || exit 1
for folder in "$build" "$@"; do
    if [ -f "$folder/CMakeCache.txt" ]; then
        cmake "$folder" >/dev/null || exit 1
    fi
done
