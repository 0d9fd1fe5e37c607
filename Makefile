# make run       builds and starts the program
# make test      builds and runs every test
# make bench     builds and runs every benchmark program (BENCH_ARGS are passed
#                to each, e.g. BENCH_ARGS=--benchmark_min_time=0.01)
# make sanitize  builds the program and every test with AddressSanitizer and
#                UndefinedBehaviorSanitizer in build-sanitize/ and runs every test
# make fuzz      builds the fuzz targets with clang's libFuzzer in build-fuzz/
#                and runs each for FUZZ_SECONDS seconds (FUZZ_SECONDS=0: only
#                replays the committed corpus)
BUILD ?= build
JOBS ?= $(shell nproc)
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
BENCH_ARGS ?=
SANITIZE_FLAGS = -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer
FUZZ_FLAGS = -fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow -fno-sanitize-recover=undefined,float-cast-overflow
# The sanitizers' instrumentation makes g++ see uninitialised reads inside the
# standard library's own headers that are not there.
SANITIZE_WARNINGS = -Wno-maybe-uninitialized
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

.PHONY: all setup configure build run test bench sanitize fuzz-build fuzz fuzz-replay clean

all: build

setup:
	@./scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/bin/dalvor

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@set -e; for b in $(BUILD)/bench/bench_*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" $(BENCH_ARGS); fi; \
	done

sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVOR_BENCH=OFF \
		"-DCMAKE_C_FLAGS=$(SANITIZE_FLAGS)" "-DCMAKE_CXX_FLAGS=$(SANITIZE_FLAGS) $(SANITIZE_WARNINGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=$(SANITIZE_FLAGS)" >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

fuzz-build:
	@./scripts/setup.sh fuzz
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDALVOR_FUZZ=ON -DDALVOR_BENCH=OFF \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		"-DCMAKE_C_FLAGS=$(FUZZ_FLAGS)" "-DCMAKE_CXX_FLAGS=$(FUZZ_FLAGS)" \
		"-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined" >/dev/null
	@ASAN_OPTIONS=detect_leaks=0 cmake --build $(FUZZ_BUILD) -j $(JOBS) --target dalvor_fuzz

fuzz: fuzz-build
	@./fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Replays the committed corpus, then runs each target for a few seconds.
fuzz-replay: fuzz-build
	@./fuzz/run.sh $(FUZZ_BUILD) 0
	@./fuzz/run.sh $(FUZZ_BUILD) 5

clean:
	@rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
