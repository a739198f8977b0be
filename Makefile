# Thin wrapper around the one CMake build tree under build/.
BUILD      := build/release
ASAN_BUILD := build/asan
JOBS       ?= 2
# Where `make install` puts the programs; the Debian package uses /usr as well.
PREFIX     ?= /usr

.PHONY: all deps configure build test test-asan bench run screenshots package install clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/build.ninja: | deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELD23_SANITIZE=ON

test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
		ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/veld23_bench

run: build
	@if [ -x $(BUILD)/src/app/veld23 ]; then \
		$(BUILD)/src/app/veld23 $(ARGS); \
	else \
		echo "The editor window is not built yet; see README.md."; exit 1; \
	fi

# Pictures of every window, at 100 % and 200 % scaling, on a virtual X display.
SHOTS := $(CURDIR)/build/screenshots
XVFB  := xvfb-run -a -s "-screen 0 3200x2000x24"
screenshots: build
	@command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: apt-get install xvfb"; exit 1; }
	rm -rf $(SHOTS) && mkdir -p $(SHOTS)/scale2
	cd $(BUILD) && VELD23_SCREENSHOT_DIR=$(SHOTS) QT_QPA_PLATFORM=xcb \
		$(XVFB) ./tests/ui/test_ui --gtest_filter='*Screenshots.*'
	cd $(BUILD) && VELD23_SCREENSHOT_DIR=$(SHOTS)/scale2 QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
		$(XVFB) ./tests/ui/test_ui --gtest_filter='*Screenshots.*'
	@echo "Screenshots in $(SHOTS)"

# The Debian package (.deb) in $(BUILD), with the programs, the desktop entry, the icon,
# the file type, the udev rule for the USB link, the manual pages and the README.
package: build
	cd $(BUILD) && cpack -G DEB

# The same tree as the package, below DESTDIR (empty: into the system, as root).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf build
