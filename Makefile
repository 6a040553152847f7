# Entry points for people and CI; the real build is CMake.
JOBS      ?= 2
BUILD     ?= build
ASAN      ?= build-asan
ARGS      ?=
CMAKE_GEN := $(shell command -v ninja >/dev/null 2>&1 && echo -G Ninja)

.PHONY: all build run test test-release test-asan tsan fuzz bench clean format format-check layering-check deps-mpi

all: build

build:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/kvvexdra $(ARGS)

test: test-release test-asan

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	@test -f $(ASAN)/CMakeCache.txt || cmake -S . -B $(ASAN) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BENCH=OFF
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

tsan:
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
# installed as root with apt-get, otherwise only named. The build finds it on its next configure.
MPI_PACKAGES = openmpi-bin libopenmpi-dev
deps-mpi:
	@if dpkg -s $(MPI_PACKAGES) >/dev/null 2>&1; then \
		echo "Open MPI is installed."; \
	elif [ "$$(id -u)" = 0 ] && command -v apt-get >/dev/null; then \
		export DEBIAN_FRONTEND=noninteractive; \
		apt-get update -qq && apt-get install -y -qq $(MPI_PACKAGES); \
	else \
		echo "Install as root: apt-get install $(MPI_PACKAGES)"; \
	fi

bench: build
	./$(BUILD)/bench/kvbench

clean:
	rm -rf $(BUILD) $(ASAN) build-tsan build-fuzz

# Every C++ file follows .clang-format; format-check fails on the first file that differs.
FORMAT_FILES = $(shell git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
format:
	@clang-format -i $(FORMAT_FILES)

format-check:
	@clang-format --dry-run --Werror $(FORMAT_FILES)

# The game model includes only games/, support/ and platform/; engine/ and perft/ see no concrete
# game family.
layering-check:
	@tests/check_layering.sh src
