# Entry points: `make demo` and `make test` work on a fresh machine; both install what is missing.
SHELL := /bin/bash
PACKAGES := cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev \
            libsqlite3-dev libcrypt-dev libfmt-dev libcli11-dev nlohmann-json3-dev libinih-dev libicu-dev \
            qt6-base-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
DEMO_DIR := demo-run
# How long `make fuzz` runs each target; any finding stops it with an error.
FUZZ_SECONDS ?= 60

.PHONY: deps build build-asan test demo bench fuzz clean

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build -j $(JOBS)

build-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKV_SANITIZE=ON -DKV_BENCH=OFF
	cmake --build build-asan -j $(JOBS)

test: build-asan
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

demo: build
	rm -rf $(DEMO_DIR) && mkdir -p $(DEMO_DIR)
	./build/cli/korvent-cli demo --dir $(DEMO_DIR)

bench: build
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

fuzz:
	@missing=$$(for p in $(FUZZ_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; fi
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON -DKV_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS)
	@for target in build-fuzz/fuzz/fuzz_*; do \
	  topic=$${target##*/fuzz_}; mkdir -p fuzz-corpus/$$topic; \
	  echo "== $$topic: $(FUZZ_SECONDS) s"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build-fuzz/$$topic- fuzz-corpus/$$topic || exit 1; \
	done

clean:
	rm -rf build build-asan build-fuzz $(DEMO_DIR)
