#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test (headless).
# The readers of files users open (saved prints, Access databases) also run under
# AddressSanitizer on damaged input. As root, the tests also fill a small disk of their own
# and print through a CUPS scheduler started here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

if [[ "${MARVELLO_SKIP_ASAN:-}" != 1 ]]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMARVELLO_ASAN=ON >/dev/null
    cmake --build build-asan -j"$(nproc)" --target printcomponent_tests database_tests document_tests \
        marvello-wmf-reader
    ASAN_OPTIONS=detect_leaks=0 build-asan/tests/printcomponent_tests --gtest_brief=1 \
        --gtest_filter='SavedPrints.*'
    ASAN_OPTIONS=detect_leaks=0 build-asan/tests/database_tests --gtest_brief=1 \
        --gtest_filter='OpenAccessFile.*'
    ASAN_OPTIONS=detect_leaks=0 build-asan/tests/document_tests --gtest_brief=1 \
        --gtest_filter='ReadLabelFile.*:PictureFiles.*'
fi

# The printing tests talk to a real CUPS scheduler and add throwaway queues of their own.
if ((EUID == 0)) && command -v cupsd >/dev/null; then
    lpstat -r 2>/dev/null | grep -q "is running" || cupsd
    for _ in $(seq 100); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.1
    done
    lpstat -r | grep -q "is running" || { echo "test: cupsd did not start" >&2; exit 1; }
    export MARVELLO_REQUIRE_CUPS=1
fi

# The data source tests read from a PostgreSQL and a MariaDB server of their own, stopped and
# removed at the end.
servers_folder=$(mktemp -d)
chmod 755 "$servers_folder"
trap 'scripts/test-postgres.sh stop "$servers_folder/postgres"
      scripts/test-mariadb.sh stop "$servers_folder/mariadb"
      rm -rf "$servers_folder"' EXIT
MARVELLO_TEST_POSTGRES=$(scripts/test-postgres.sh start "$servers_folder/postgres")
MARVELLO_TEST_MARIADB=$(scripts/test-mariadb.sh start "$servers_folder/mariadb")
export MARVELLO_TEST_POSTGRES MARVELLO_TEST_MARIADB MARVELLO_REQUIRE_POSTGRES=1

# Every source file says its licence.
missing=$(git ls-files '*.cpp' '*.h' '*.h.in' '*.sh' 'CMakeLists.txt' |
    xargs grep -L 'SPDX-License-Identifier: GPL-3.0-or-later' || true)
if [[ -n "$missing" ]]; then
    echo "test: no SPDX licence line in: $missing" >&2
    exit 1
fi

# Lengths are converted in one header only, and only widgets/ folders (and the program's
# main) use QtWidgets: the core runs without it.
literals=$(git ls-files 'src/*.cpp' 'src/*.h' | grep -v '^src/common/units.h$' |
    xargs grep -nE '(^|[^0-9.])(56\.7|567|1440)([^0-9]|$)' || true)
if [[ -n "$literals" ]]; then
    echo "test: length literals outside src/common/units.h:" >&2
    echo "$literals" >&2
    exit 1
fi
# No include loops, no source file over 550 lines.
python3 scripts/include-loops.py src || exit 1
long=$(git ls-files 'src/*.cpp' | xargs wc -l | awk '$2 != "total" && $1 > 550 {print $2 " (" $1 ")"}')
if [[ -n "$long" ]]; then
    echo "test: source files over 550 lines: $long" >&2
    exit 1
fi
# What the tests weigh beside the code they test (aim: a quarter to a third).
code_lines=$(git ls-files 'src/*.cpp' 'src/*.h' | xargs cat | wc -l)
test_lines=$(git ls-files 'tests/*.cpp' 'tests/*.h' 'tests/*.py' | xargs cat | wc -l)
echo "test: $test_lines lines of tests for $code_lines lines of code ($((100 * test_lines / code_lines)) %)"
widgets=$(git ls-files 'src/*.cpp' 'src/*.h' | grep -v '/widgets/' | grep -v '^src/app/main.cpp$' |
    xargs grep -lE '#include <(QtWidgets/)?Q(Widget|Dialog|MainWindow|Application|MessageBox)' ||
    true)
if [[ -n "$widgets" ]]; then
    echo "test: QtWidgets outside a widgets/ folder: $widgets" >&2
    exit 1
fi

# The Debian package, built and checked without installing it.
if [[ "${MARVELLO_SKIP_PACKAGE:-}" != 1 ]]; then
    package=$(scripts/package.sh | tail -1)
    scripts/check-package.sh "$package"
fi

scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
