# Thin wrappers around CMake. `make run` and `make test` do everything on a fresh Debian 12.
BUILD  ?= build
JOBS   ?= $(shell nproc)
CONFIG ?= RelWithDebInfo
CMAKE_ARGS ?=
ifneq ($(CI),)
CMAKE_ARGS += -DSCRIVLET_WERROR=ON
endif

.PHONY: all bootstrap configure build run test bench gallery screenshot clean

all: build

bootstrap:
	@bash scripts/bootstrap.sh

configure: bootstrap
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(CONFIG) $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    echo "No display: starting Scrivlet under xvfb-run (the window is invisible; use 'make screenshot')."; \
	    xvfb-run -a $(BUILD)/bin/scrivlet; \
	else $(BUILD)/bin/scrivlet; fi

screenshot: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/scrivlet --screenshot $(BUILD)/scrivlet.png
	@echo "wrote $(BUILD)/scrivlet.png"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_BENCH=ON -DBUILD_TESTING=OFF $(CMAKE_ARGS)
	cmake --build build-bench -j $(JOBS)
	@set -e; for b in build-bench/bin/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b; done

gallery: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/scrivlet_gallery $(BUILD)/gallery
	@echo "wrote $(BUILD)/gallery/"

clean:
	rm -rf $(BUILD) build-bench
