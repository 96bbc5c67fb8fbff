# Thin wrappers around CMake. `make run` and `make test` do everything on a fresh Debian 12.
BUILD  ?= build
JOBS   ?= $(shell nproc)
CONFIG ?= RelWithDebInfo
CMAKE_ARGS ?=
ifneq ($(CI),)
CMAKE_ARGS += -DSCRIVLET_WERROR=ON
endif

.PHONY: all bootstrap configure build run test bench gallery screenshot package clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

configure: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CONFIG) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The program and the library it loads; the tests are left for `make test`.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target scrivlet Scrivlet
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    echo "No display: starting Scrivlet under xvfb-run (the window is invisible; use 'make screenshot')."; \
	    xvfb-run -a $(BUILD)/bin/scrivlet; \
	else $(BUILD)/bin/scrivlet; fi

screenshot: configure
	cmake --build $(BUILD) -j $(JOBS) --target scrivlet Scrivlet
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/scrivlet --screenshot $(BUILD)/scrivlet.png
	@echo "wrote $(BUILD)/scrivlet.png"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench:
	@bash scripts/bootstrap.sh attr
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCH=ON -DBUILD_TESTING=OFF \
	    -DSCRIVLET_EXTENSIONS=OFF $(CMAKE_ARGS)
	cmake --build build-bench -j $(JOBS)
	@set -e; for b in build-bench/bin/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

gallery: configure
	cmake --build $(BUILD) -j $(JOBS) --target scrivlet_gallery
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/scrivlet_gallery $(BUILD)/gallery
	@echo "wrote $(BUILD)/gallery/"

# Debian packages (scrivlet, libscrivlet1, libscrivlet-dev, and the file-manager modules
# scrivlet-nautilus, scrivlet-nemo, scrivlet-kde) in $(BUILD)/packages/.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/packages/*.deb

clean:
	rm -rf $(BUILD) build-bench build-windows-i686 build-windows-x86_64 build-windows-wine

# Reliability harness. `make fuzz` runs the libFuzzer target over the format code for FUZZ_SECONDS
# (clang's own build folder); `make test-sanitize` builds and runs the library, app core and cli
# tests under AddressSanitizer and UndefinedBehaviorSanitizer (only those test programs are built,
# so ctest runs just their tests).
FUZZ_SECONDS   ?= 60
SANITIZE_TESTS ?= library_tests app_model_tests cli_tests
.PHONY: fuzz test-sanitize

fuzz:
	@bash scripts/bootstrap.sh clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCRIVLET_FUZZ=ON \
	    -DSCRIVLET_SANITIZE=ON -DSCRIVLET_WITH_QT=OFF -DSCRIVLET_EXTENSIONS=OFF -DBUILD_TESTING=OFF
	cmake --build build-fuzz -j $(JOBS) --target fuzz_comment_block
	mkdir -p build-fuzz/corpus
	build-fuzz/fuzz_comment_block -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -dict=fuzz/markers.dict -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/seeds
	rm -f /dev/shm/scrivlet-fuzz-* /tmp/scrivlet-fuzz-*

test-sanitize: bootstrap
	@start=$$(date +%s); set -e; \
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSCRIVLET_SANITIZE=ON -DSCRIVLET_EXTENSIONS=OFF $(CMAKE_ARGS); \
	cmake --build build-asan -j $(JOBS) --target $(SANITIZE_TESTS); \
	cd build-asan && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS) -E '_NOT_BUILT$$'; \
	echo "test-sanitize: $$(( $$(date +%s) - start )) s"

# Windows: Scrivlet.dll cross-built with MinGW-w64 for 32- and 64-bit callers, into
# build-windows-<arch>/bin/. `make test-windows` also builds the library's tests for Windows and runs
# them under Wine (both architectures share one Wine prefix, made on first use).
WINDOWS_ARCHS ?= i686 x86_64
WINDOWS_CONFIG ?= Release
WINE_PREFIX   ?= $(CURDIR)/build-windows-wine
windows_configure = cmake -S . -B build-windows-$(1) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-$(1).cmake \
    -DCMAKE_BUILD_TYPE=$(WINDOWS_CONFIG) -DSCRIVLET_WITH_QT=OFF -DSCRIVLET_FORMAT_CHECK=OFF \
    -DSCRIVLET_WINEPREFIX=$(WINE_PREFIX) $(2) $(CMAKE_ARGS)
.PHONY: windows test-windows

windows:
	@bash scripts/bootstrap.sh --windows
	@start=$$(date +%s); set -e; for arch in $(WINDOWS_ARCHS); do \
	    $(call windows_configure,$$arch,-DBUILD_TESTING=OFF); \
	    cmake --build build-windows-$$arch -j $(JOBS) --target Scrivlet; \
	done; \
	echo "windows: $(foreach a,$(WINDOWS_ARCHS),build-windows-$(a)/bin/Scrivlet.dll) in $$(( $$(date +%s) - start )) s"

test-windows:
	@bash scripts/bootstrap.sh --windows --wine
	@start=$$(date +%s); set -e; for arch in $(WINDOWS_ARCHS); do \
	    $(call windows_configure,$$arch,-DBUILD_TESTING=ON); \
	    cmake --build build-windows-$$arch -j $(JOBS); \
	done; \
	status=0; for arch in $(WINDOWS_ARCHS); do \
	    echo "== $$arch"; (cd build-windows-$$arch && ctest --output-on-failure -j $(JOBS)) || status=1; \
	done; \
	scripts/wine_run.sh $(WINE_PREFIX) --stop-server; \
	echo "test-windows: $$(( $$(date +%s) - start )) s"; exit $$status
