# The two commands a new checkout needs: `make run` and `make test`.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench clean

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
