# Set-up and everyday commands; each installs what is missing first.
BUILD_DIR ?= build
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build run test bench package fuzz clean

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@tools/run.sh $(BUILD_DIR)/app/vistamarq

# The whole suite, the fuzz targets over their seeds, then the whole suite again built with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer (in build-sanitize).
test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure
	@fuzz/run.sh --smoke
	@tools/sanitized-test.sh

fuzz: deps
	@fuzz/run.sh $(FUZZ_SECONDS)

bench: build
	@cmake --build $(BUILD_DIR) --target benchmarks
	@for b in calc window catalogue part_number coverage design_sheet coverage_pictures coverage_window plan plan_view plan_underlay design_window; do $(BUILD_DIR)/bench/bench_$$b; done
	@bench/whole_process.sh $(BUILD_DIR)

package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) build-fuzz build-sanitize
