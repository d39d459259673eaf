# Quick start: `make run` builds and starts the app; `make test` builds and runs the suite.
BUILD ?= build
JOBS ?= $(shell nproc)
WERROR := $(if $(CI),ON,OFF)
CONFIGURE = cmake -S . -G Ninja -DWARNINGS_AS_ERRORS=$(WERROR)

.PHONY: all deps build run test sanitize asan tsan fuzz package clean

all: build

deps:
	@scripts/install-deps

build: deps
	@$(CONFIGURE) -B $(BUILD) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Without a display the app cannot open its window, so a headless tour runs instead.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
		$(BUILD)/bin/massage-remote $(ARGS); \
	else \
		tools/tour/run-tour $(BUILD); \
	fi

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer, then the
# standard-C++ parts (link, queues, stand-in chair) under ThreadSanitizer.
sanitize: asan tsan

asan: deps
	@$(CONFIGURE) -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=address,undefined >/dev/null
	@cmake --build $(BUILD)-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=0 ctest --test-dir $(BUILD)-asan --output-on-failure -j $(JOBS)

tsan: deps
	@$(CONFIGURE) -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=thread -DWITH_QT=OFF >/dev/null
	@cmake --build $(BUILD)-tsan -j $(JOBS)
	@TSAN_OPTIONS=halt_on_error=1 ctest --test-dir $(BUILD)-tsan --output-on-failure -j $(JOBS)

# Every fuzz target for FUZZ_S seconds (libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, built with clang in $(BUILD)-fuzz); a finding fails the run.
FUZZ_S ?= 60
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -G Ninja -B $(BUILD)-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DFUZZ=ON -DSANITIZE=address,undefined -DWARNINGS_AS_ERRORS=OFF >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target fuzzers
	@scripts/run-fuzzers $(BUILD)-fuzz $(FUZZ_S)

# A Debian package of the app and chairctl: build/massage-remote_<version>_<arch>.deb.
package: build
	@cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/*.deb

# Benchmarks: a Release build of only what they run, in $(BUILD)-bench, then one table; the
# last-run table and plots in docs/performance.md are redrawn. BENCH_LOCK may name a command
# to build under (another build sharing the machine, say).
.PHONY: bench
bench: deps
	@$(BENCH_LOCK) sh -c 'cmake -S . -G Ninja -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release \
		>/dev/null && cmake --build $(BUILD)-bench -j $(JOBS) --target link-benchmarks \
		app-benchmarks radio-benchmarks massage-remote bundle-resources'
	@benchmarks/run-bench $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-tsan $(BUILD)-fuzz
