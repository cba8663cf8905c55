# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands a new checkout needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test test-sanitize bench clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD_DIR)/build.ninja

build: deps configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD_DIR)/app/klappomatikus

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)

# Optional: the Debian package, written to $(BUILD_DIR)/package/.
.PHONY: package
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# The whole suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer into its own tree. SANITIZE_CTEST_FLAGS can
# narrow it, e.g. SANITIZE_CTEST_FLAGS="-LE e2e".
SANITIZE_BUILD_DIR ?= build-asan
SANITIZE_CTEST_FLAGS ?=
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD_DIR) -G Ninja -DKLAPPOMATIKUS_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_BUILD_DIR) -j $(JOBS)
	cd $(SANITIZE_BUILD_DIR) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS) $(SANITIZE_CTEST_FLAGS)

# The README's pictures under docs/, taken from the real program under Xvfb.
.PHONY: screenshot
screenshot: build
	/usr/bin/python3 scripts/screenshot.py --program $(BUILD_DIR)/app/klappomatikus --outdir docs

# Timing and footprint figures (a few minutes); never part of `make test`.
bench: build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bench_programs
	/usr/bin/python3 bench/run_bench.py --build $(BUILD_DIR)
