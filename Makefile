# Entry points for people and CI; the real build is CMake.
JOBS      ?= 2
BUILD     ?= build
ASAN      ?= build-asan
ARGS      ?=
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: all configure build run setup setup-ci test test-release test-asan tsan fuzz bench clean \
        format format-check layering-check install uninstall package deps-mpi

all: build

# The program needs only a compiler, CMake and make; the tests and benchmarks are configured
# when their packages are there (CMake says which are not).
configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/kvvexdra $(ARGS)

# What the tests need (setup) or every CI stage needs (setup-ci): installed with apt-get as root
# or through sudo -n, else one line names the packages and make stops.
setup: configure
	@scripts/ensure-packages.sh test $(BUILD) $(ASAN) build-tsan

setup-ci: configure
	@scripts/ensure-packages.sh ci $(BUILD) $(ASAN) build-tsan

test: test-release test-asan

test-release: setup
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: setup
	@test -f $(ASAN)/CMakeCache.txt || cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BENCH=OFF
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

tsan: setup
	@test -f build-tsan/CMakeCache.txt || cmake -S . -B build-tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_TSAN=ON -DKV_BENCH=OFF
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS) -R '$(TSAN_TESTS)'

# The fuzz targets under clang's libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer,
# each run for FUZZ_SECONDS from its seed corpus; a finding fails the run.
FUZZ_SECONDS ?= 10
fuzz:
	@test -f build-fuzz/CMakeCache.txt || CXX=clang++ CC=clang cmake -S . -B build-fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKV_FUZZ=ON -DKV_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)
	tests/fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

# Open MPI, for the distributed perft program (build/kvvexdra-perft) and its tests;
# installed as root with apt-get, otherwise only named. Build folders already configured are
# configured again, so that their next build has the program.
MPI_PACKAGES = openmpi-bin libopenmpi-dev
deps-mpi:
	@if dpkg -s $(MPI_PACKAGES) >/dev/null 2>&1; then \
		echo "Open MPI is installed."; \
	elif [ "$$(id -u)" = 0 ] && command -v apt-get >/dev/null; then \
		export DEBIAN_FRONTEND=noninteractive; \
		apt-get update -qq && apt-get install -y -qq $(MPI_PACKAGES) || exit 1; \
		for folder in $(BUILD) $(ASAN); do \
			if [ -f "$$folder/CMakeCache.txt" ]; then cmake "$$folder" >/dev/null || exit 1; fi; \
		done; \
	else \
		echo "Install as root: apt-get install $(MPI_PACKAGES)"; \
	fi

# Installation like Debian's engine packages: PREFIX/games/kvvexdra, the manual page kvvexdra(6),
# and XBoard's engine registration with a logo under PREFIX/share/games/plugins. DESTDIR is
# honoured. package makes a .deb that installs the same files under /usr.
PREFIX  ?= /usr/local
DESTDIR ?=
INSTALLED = games/kvvexdra share/man/man6/kvvexdra.6.gz share/games/plugins/xboard/kvvexdra.eng \
            share/games/plugins/logos/kvvexdra.png share/doc/kvvexdra/copyright \
            share/doc/kvvexdra/changelog.gz

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	rm -f $(addprefix "$(DESTDIR)$(PREFIX)"/,$(INSTALLED))
	-rmdir "$(DESTDIR)$(PREFIX)/share/doc/kvvexdra" "$(DESTDIR)$(PREFIX)/share/games/plugins/xboard" \
	       "$(DESTDIR)$(PREFIX)/share/games/plugins/logos" "$(DESTDIR)$(PREFIX)/share/games/plugins" 2>/dev/null

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	@test -x $(BUILD)/bench/kvbench || { echo "No benchmarks: install libbenchmark-dev (make setup-ci does)"; exit 1; }
	./$(BUILD)/bench/kvbench

clean:
	rm -rf $(BUILD) $(ASAN) build-tsan build-fuzz

# Every C++ file follows .clang-format; format-check fails on the first file that differs.
FORMAT_FILES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)

# Every include stays on its floor or below (platform, support, shell, games, perft's counting
# core, engine, the perft commands, protocols, app; tests/check_layering.sh lists them), no protocol
# folder includes another, and no variant is named outside games/.
layering-check:
	@tests/check_layering.sh src
