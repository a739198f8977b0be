# Thin wrapper around the one CMake build tree under build/.
BUILD      := build/release
ASAN_BUILD := build/asan
JOBS       ?= 2
# Where `make install` puts the programs; the Debian package uses /usr as well.
PREFIX     ?= /usr

.PHONY: all deps configure build test test-asan bench run screenshots package install clean \
	fuzz-deps fuzz-build fuzz fuzz-smoke format format-check

all: build

deps:
	@./scripts/install-deps.sh

# The project's own builds treat warnings as errors. The Makefile is a prerequisite so a
# tree configured before a change of these flags is configured again.
OWN_FLAGS  := -G Ninja -DVELD23_WERROR=ON

$(BUILD)/build.ninja: Makefile | deps
	cmake -S . -B $(BUILD) $(OWN_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	@touch $@

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# One formatter version for everyone: another clang-format formats some lines differently.
CLANG_FORMAT := clang-format-14
CXX_FILES    := git ls-files -z '*.cpp' '*.h'

format: deps
	@$(CXX_FILES) | xargs -0 $(CLANG_FORMAT) -i

format-check: deps
	@$(CXX_FILES) | xargs -0 $(CLANG_FORMAT) --dry-run --Werror
	@echo "Every tracked C++ file is formatted."

$(ASAN_BUILD)/build.ninja: Makefile | deps
	cmake -S . -B $(ASAN_BUILD) $(OWN_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DVELD23_SANITIZE=ON
	@touch $@

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
	cd $(BUILD) && QT_QPA_PLATFORM=xcb $(XVFB) ./tools/screenshots/veld23-screenshots $(SHOTS)
	cd $(BUILD) && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=2 \
		$(XVFB) ./tools/screenshots/veld23-screenshots $(SHOTS)/scale2
	@echo "Screenshots in $(SHOTS)"

# The Debian package (.deb) in $(BUILD), with the programs, the desktop entry, the icon,
# the file type, the udev rule for the USB link, the manual pages and the README.
package: build
	cd $(BUILD) && cpack -G DEB

# The same tree as the package, below DESTDIR (empty: into the system, as root).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# libFuzzer targets (fuzz/), built with clang in build/fuzz. Each starts from the seed
# corpus in tests/fuzz/corpus/<target>; what it finds new is kept in build/fuzz/corpus and
# a crash's input in build/fuzz/artifacts. Not part of `make test`.
FUZZ_BUILD         := build/fuzz
FUZZ_TARGETS       := ConfigurationFileFuzz ConfigurationJsonFuzz DeviceImageFuzz MeasurementFuzz
FUZZ_SECONDS       ?= 300
FUZZ_SMOKE_SECONDS ?= 7

fuzz-deps:
	@./scripts/install-deps.sh fuzz

$(FUZZ_BUILD)/build.ninja: Makefile | fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) $(OWN_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++ -DVELD23_FUZZ=ON
	@touch $@

fuzz-build: fuzz-deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(FUZZ_TARGETS)

run-fuzz = for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/artifacts && \
		echo "== $$t, $(1) s" && \
		$(FUZZ_BUILD)/fuzz/$$t -max_total_time=$(1) -timeout=10 -rss_limit_mb=2048 \
			-artifact_prefix=$(FUZZ_BUILD)/artifacts/$$t- -print_final_stats=1 \
			$(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

fuzz: fuzz-build
	@$(call run-fuzz,$(FUZZ_SECONDS))

# About 30 seconds in all: a quick check that the readers still hold their invariants.
fuzz-smoke: fuzz-build
	@$(call run-fuzz,$(FUZZ_SMOKE_SECONDS))

clean:
	rm -rf build
