# Twinsweep: `make run` starts the window, `make test` runs every test.
# Both first install whatever Debian packages are missing.

BUILD      ?= build/release
ASAN_BUILD ?= build/asan
PREFIX     ?= /usr/local
JOBS       ?= $(shell nproc)

PACKAGES := build-essential cmake ninja-build pkg-config \
            qt6-base-dev qt6-base-dev-tools libqt6test6 libgl1-mesa-dev \
            libgtest-dev libgmock-dev zlib1g-dev libfmt-dev libcli11-dev nlohmann-json3-dev \
            xdg-utils

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-release test-asan bench install clean

all: build

deps:
	@missing=""; \
	for package in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$package 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=300 $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DTWINSWEEP_SANITIZE=ON -DTWINSWEEP_GUI=OFF -DTWINSWEEP_BENCH=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/gui/twinsweep $(ARGS)

# The release build runs every suite; the core suites run again under
# AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-release test-asan

test-release: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

bench: build
	@echo "Benchmarks are in $(BUILD)/bench; see bench/README.md"

install: build
	cmake --install $(BUILD)

clean:
	rm -rf build
