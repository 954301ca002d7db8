# Entry points: `make demo` and `make test` work on a fresh machine; both install what is missing.
SHELL := /bin/bash
PACKAGES := cmake ninja-build g++ pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev \
            libsqlite3-dev libcrypt-dev libfmt-dev libcli11-dev nlohmann-json3-dev libinih-dev libicu-dev \
            qt6-base-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
JOBS ?= $(shell nproc)
DEMO_DIR := demo-run
# The demo installation of `make run`, with a registry store of its own.
RUN_DIR := run-demo
# Where the saving rules put the demo order: the work directory, named after its number.
RUN_ORDER := $(RUN_DIR)/inst/Orders/ORDERS/WORK/Д-001.gxo
# How long `make fuzz` runs each target; any finding stops it with an error.
FUZZ_SECONDS ?= 60

.PHONY: deps build build-asan test demo run bench fuzz clean

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

# The desktop program on the demo installation; set up first (with a demo order) when missing.
run: build
	@export KORVENT_REGISTRY=$(CURDIR)/$(RUN_DIR)/registry.sqlite; \
	if [ ! -f $(RUN_DIR)/inst/korvent.ini ]; then \
	  rm -rf $(RUN_DIR) && mkdir -p $(RUN_DIR) && \
	  ./build/cli/korvent-cli setup --root $(RUN_DIR)/inst --default --default-admin-password && \
	  ./build/cli/korvent-cli order new --no Д-001 --customer "ООО «Демо-Окна»" \
	    --address "ул. Садовая, 5" && \
	  ./build/cli/korvent-cli order add "$(RUN_ORDER)" && \
	  ./build/cli/korvent-cli order add "$(RUN_ORDER)" --width 2100 --vertical 700 1400 --sash 1 3 && \
	  ./build/cli/korvent-cli order add "$(RUN_ORDER)" --type 2 --width 750 --height 2150 --sash 1 && \
	  ./build/cli/korvent-cli order add "$(RUN_ORDER)" --figure arc --width 1200 --height 1500 && \
	  ./build/cli/korvent-cli order calc "$(RUN_ORDER)" || exit 1; \
	fi; \
	echo "Вход: пользователь Администратор, пароль admin. Демонстрационный заказ: $(RUN_ORDER)"; \
	./build/app/korvent

bench: build
	@for b in build/bench/bench_*; do echo "== $$b"; $$b; done

fuzz:
	@missing=$$(for p in $(FUZZ_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; fi
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKV_FUZZ=ON -DKV_BENCH=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz_targets
	@for target in build-fuzz/fuzz/fuzz_*; do \
	  topic=$${target##*/fuzz_}; mkdir -p fuzz-corpus/$$topic; \
	  echo "== $$topic: $(FUZZ_SECONDS) s"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=build-fuzz/$$topic- fuzz-corpus/$$topic || exit 1; \
	done

clean:
	rm -rf build build-asan build-fuzz $(DEMO_DIR) $(RUN_DIR)
