# The two commands of the README: `make run` plays the demo game, `make test` runs every test.
# Both install what is missing and build first.

BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build run test bench asan fuzz clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -f $(BUILD)/demo/data/\$$\$$\$$.B ]; then \
	  $(BUILD)/tessera --game $(BUILD)/demo Window; \
	else \
	  echo "The demo game is not built yet (no $(BUILD)/demo/data/\$$\$$\$$.B): nothing to play."; \
	  echo "Play your own game folder with: $(BUILD)/tessera --game DIR Window"; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DTESSERA_BENCH=ON -DTESSERA_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	scripts/run-benchmarks.sh $(BENCH_BUILD)

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTESSERA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 1200

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTESSERA_FUZZ=ON -DTESSERA_TESTS=OFF -DTESSERA_DEMO=OFF \
	  -DCMAKE_C_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined" \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined"
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	scripts/run-fuzzers.sh $(FUZZ_BUILD) $${FUZZ_SECONDS:-60}

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
