# SPDX-FileCopyrightText: 2026 Klappomatikus-Team
# SPDX-License-Identifier: GPL-3.0-or-later

# The two commands a new checkout needs: `make run` and `make test`.
# Each installs the Debian packages its purpose needs (scripts/install-deps.sh).
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all configure build run test package dist screenshot test-sanitize bench clean

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

# The time of the last commit: from git, or in a source release from the
# file git archive filled in. Packages carry it as their files' time, so
# that two builds of one commit give the same bytes. A SOURCE_DATE_EPOCH
# from the environment wins.
SOURCE_DATE_EPOCH ?= $(shell if [ -e .git ]; then git log -1 --format=%ct; \
                         else sed -n 's/^\([0-9][0-9]*\)$$/\1/p' scripts/source-date; fi)

# The Debian package, written to $(BUILD_DIR)/package/.
package:
	@./scripts/install-deps.sh package
	@$(MAKE) --no-print-directory build
	@[ -n "$(SOURCE_DATE_EPOCH)" ] || \
	    echo "make package: no commit time (neither git nor a source release); the package takes the current time" >&2
	cd $(BUILD_DIR) && SOURCE_DATE_EPOCH=$(SOURCE_DATE_EPOCH) cpack -G DEB

# The source release of the last commit, as git has it (nothing uncommitted,
# no build output): $(BUILD_DIR)/dist/klappomatikus-<version>.tar.gz and
# its SHA-256.
VERSION = $(shell sed -n 's/^project(Klappomatikus VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)
DIST_NAME = klappomatikus-$(VERSION)
dist:
	@[ -e .git ] || { echo "make dist: needs the git checkout; a source release is made from its last commit" >&2; exit 1; }
	@git diff --quiet HEAD -- || echo "make dist: uncommitted changes are left out" >&2
	@mkdir -p $(BUILD_DIR)/dist
	git archive --format=tar --prefix=$(DIST_NAME)/ -o $(BUILD_DIR)/dist/$(DIST_NAME).tar HEAD
	gzip -9nf $(BUILD_DIR)/dist/$(DIST_NAME).tar
	cd $(BUILD_DIR)/dist && sha256sum $(DIST_NAME).tar.gz >$(DIST_NAME).tar.gz.sha256

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
