# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands a new checkout needs: `make run` and `make test`.
# Each installs the Debian packages its purpose needs (scripts/install-deps.sh).
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all configure build run test package screenshot test-sanitize bench clean

all: build

# Configures a new tree; an existing one again whenever CMAKE_FLAGS are
# given, so that they take effect (CMake keeps what they set in its cache).
configure:
	@if [ ! -f $(BUILD_DIR)/build.ninja ] || [ -n "$(strip $(CMAKE_FLAGS))" ]; then \
	    cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS); \
	fi

build:
	@./scripts/install-deps.sh run
	@$(MAKE) --no-print-directory configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run:
	@./scripts/install-deps.sh run
	@$(MAKE) --no-print-directory configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target klappomatikus
	@./scripts/run.sh $(BUILD_DIR)/app/klappomatikus

test:
	@./scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package, written to $(BUILD_DIR)/package/.
package:
	@./scripts/install-deps.sh package
	@$(MAKE) --no-print-directory build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)

# The whole suite again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer into its own tree. SANITIZE_CTEST_FLAGS can
# narrow it, e.g. SANITIZE_CTEST_FLAGS="-LE e2e".
SANITIZE_BUILD_DIR ?= build-asan
SANITIZE_CTEST_FLAGS ?=
test-sanitize:
	@./scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build BUILD_DIR=$(SANITIZE_BUILD_DIR) \
	    CMAKE_FLAGS="-DKLAPPOMATIKUS_SANITIZE=ON $(CMAKE_FLAGS)"
	cd $(SANITIZE_BUILD_DIR) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS) $(SANITIZE_CTEST_FLAGS)

# The README's pictures under docs/, taken from the real program under Xvfb.
screenshot:
	@./scripts/install-deps.sh test
	@$(MAKE) --no-print-directory build
	/usr/bin/python3 scripts/screenshot.py --program $(BUILD_DIR)/app/klappomatikus --outdir docs

# Timing and footprint figures (about nine minutes); never part of `make test`.
bench:
	@./scripts/install-deps.sh bench
	@$(MAKE) --no-print-directory build
	cmake --build $(BUILD_DIR) -j $(JOBS) --target bench_programs
	/usr/bin/python3 bench/run_bench.py --build $(BUILD_DIR)
