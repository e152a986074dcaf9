#!/usr/bin/env bash
# Builds the configurator, the uninstaller and every test, and runs the tests
# five ways: a plain debug build; the Linux archive with Qt bundled in a bare
# Debian root without Qt; the debug build under AddressSanitizer and
# UndefinedBehaviorSanitizer; a bounded libFuzzer run of the start-up files;
# and the Windows build under Wine. Exits non-zero when anything fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
korvel_install_missing "${KORVEL_BUILD_PACKAGES[@]}" "${KORVEL_TEST_PACKAGES[@]}" \
    "${KORVEL_LINUX_PACKAGE_PACKAGES[@]}" "${KORVEL_BARE_ROOT_PACKAGES[@]}" \
    "${KORVEL_WINDOWS_BUILD_PACKAGES[@]}" "${KORVEL_WINDOWS_TEST_PACKAGES[@]}"

jobs=$(nproc)
started=$SECONDS
step() {
    echo
    echo "== $* ($((SECONDS - started)) s)"
}

# The closing line counts every test that ran and passed, and those that
# skipped (they say why) apart.
passed=0
skipped=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
count_tests() {
    local all not_run
    all=$(grep -c -E '^ *[0-9]+/[0-9]+ Test +#' "$log" || true)
    not_run=$(grep -c -E '^ *[0-9]+/[0-9]+ Test +#.*\*\*\*Skipped' "$log" || true)
    passed=$((passed + all - not_run))
    skipped=$((skipped + not_run))
}

step "Debug build and tests"
build="$root/build-test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" -j"$jobs"
(cd "$build" && ctest --output-on-failure -j"$jobs") | tee "$log"
count_tests

step "Linux archive in a bare Debian root without Qt"
# The release build with Qt bundled, packed; the root is made once and cached
# outside the checkout. Both skip (77) only where debootstrap or chroot cannot run.
status=0
archive=$(bash "$root/scripts/linux-build.sh" | tail -n 1)
bare=$(bash "$root/scripts/bare-root.sh" | tail -n 1) || status=$?
if [ $status -eq 0 ]; then
    bash "$root/tests/install/bare_root.sh" "$archive" "$bare" || status=$?
else
    echo "$bare"
fi
case $status in
    0) passed=$((passed + 1)) ;;
    77) skipped=$((skipped + 1)) ;;
    *) exit "$status" ;;
esac

step "AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
# Any finding ends the process that hit it with a non-zero status, which
# fails its test. Leak reports that come only from system libraries are
# listed in tests/sanitizers/lsan.supp; leak detection itself stays on.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1
export LSAN_OPTIONS=suppressions=$root/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build="$root/build-asan"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON -DKORVEL_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$jobs"
(cd "$build" && ctest --output-on-failure -j"$jobs") | tee "$log"
count_tests

step "libFuzzer run of the start-up files"
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DKORVEL_FUZZ=ON >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_startup
# The committed seeds stay as they are; what the run finds goes to the build folder.
rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/corpus" "$build/findings"
"$build/tests/fuzz/fuzz_startup" -max_total_time=60 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$build/findings/" "$build/corpus" "$root/tests/fuzz/corpus"
passed=$((passed + 1))

step "Windows build and tests under Wine"
# The first run builds a static Qt for Windows (about half an hour on 2
# cores) and caches it outside the checkout; later runs take minutes.
bash "$root/scripts/windows-test.sh" | tee "$log"
count_tests

step "All passed"
echo "total: $passed passed, 0 failed, $skipped skipped"
