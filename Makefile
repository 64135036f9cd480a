# Tolm: `make run` builds and starts the program, `make test` builds and runs every test.
BUILD       := build
ASAN_BUILD  := $(BUILD)/asan
FUZZ_BUILD  := $(BUILD)/fuzz
WINDOWS_BUILD := $(BUILD)/windows
BENCH_BUILD := $(BUILD)/release-bench
FUZZ_SECONDS ?= 30
PREFIX      ?= /usr/local
CMAKE_FLAGS ?=
# Warnings stop the build on the test and CI paths only: a user's newer
# compiler may warn where ours does not.
WERROR      ?= OFF
test test-asan test-windows fuzz fuzz-smoke: WERROR := ON

.PHONY: all deps configure build run test test-asan test-windows fuzz fuzz-smoke fuzz-long bench stress install uninstall format clean

all: build

deps:
	@sh tools/install-deps.sh

# The benchmarks are built with everything else, so that a change that breaks
# one is seen at once; `make bench` runs them from an optimised build.
configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLM_BUILD_BENCH=ON \
		-DTOLM_WERROR=$(WERROR) $(CMAKE_FLAGS) >/dev/null

build: configure
	cmake --build $(BUILD)

run: build
	$(BUILD)/bin/tolm

# The core's tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOLM_BUILD_UI=OFF \
		-DTOLM_SANITIZE=ON -DTOLM_WERROR=$(WERROR) >/dev/null
	cmake --build $(ASAN_BUILD) --target core_tests
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j2

# The core and its tests cross-built for Windows and run under Wine; the Linux
# build's catalogue_copy trades files with the Windows one.
test-windows: configure
	@cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DTOLM_BUILD_UI=OFF -DTOLM_WERROR=$(WERROR) \
		$(CMAKE_FLAGS) >/dev/null
	cmake --build $(WINDOWS_BUILD)
	cmake --build $(BUILD) --target catalogue_copy
	@sh tools/test-windows.sh $(WINDOWS_BUILD) $(BUILD)/bin

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DTOLM_BUILD_UI=OFF -DTOLM_BUILD_TESTS=OFF \
		-DTOLM_FUZZ=ON -DTOLM_WERROR=$(WERROR) >/dev/null
	cmake --build $(FUZZ_BUILD)

# Each fuzzer for a short while over its seed corpus; any crash, leak or hang fails.
fuzz-smoke: fuzz
	@sh tools/fuzz-smoke.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS)

# Every fuzzer for FUZZ_SECONDS each, two at a time, growing its corpus in
# the build tree; ends with a line per fuzzer. Not part of `make test`.
fuzz-long: fuzz
	@sh tools/fuzz-long.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS) $(BUILD)/fuzz-corpus

test: build test-asan test-windows fuzz-smoke
	ctest --test-dir $(BUILD) --output-on-failure

bench: deps
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLM_BUILD_TESTS=ON \
		-DTOLM_BUILD_BENCH=ON $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BENCH_BUILD) --target benchmarks
	@sh tools/run-benchmarks.sh $(BENCH_BUILD)/bin

# Honours PREFIX (default /usr/local) and DESTDIR.
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	@sh tools/uninstall.sh "$(DESTDIR)$(PREFIX)"

# Kills during saves of a 200,000-game catalogue (STRESS_TRIALS of them), and
# a save onto a full disk when run as root. Not part of `make test`.
STRESS_TRIALS ?= 100
stress: configure
	cmake --build $(BUILD) --target stress_tool
	@sh tools/stress.sh $(BUILD)/bin/stress_tool $(STRESS_TRIALS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
