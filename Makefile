# Thin wrapper over CMake presets. `make run` starts the desktop program on the bundled data,
# `make demo` runs the command line on it, `make test` builds and runs every test suite: the Debug
# build, then again under AddressSanitizer and UndefinedBehaviorSanitizer (with the fuzz targets'
# regression runs), then the multi-threaded runs under ThreadSanitizer. `make test-dev` is the
# quick loop: the Debug build only. `make bench` runs the benchmark programs, `make bench-peer` the
# Earth entry beside a SciPy re-implementation (it installs SciPy for that). `make package` builds
# the Debian package build/package/plumora_VERSION_ARCH.deb; `make install` installs the optimised
# build under PREFIX (default /usr/local). `make manual-pictures` redraws the user manual's pictures.
CLI_RELEASE := build/release/src/cli/plumora-cli
GUI_RELEASE := build/release/src/gui/plumora
# The Earth example: what `make run` opens and `make demo` flies.
EXAMPLE := examples/earth-return.psd
FUZZ_SECONDS ?= 300
FUZZ_TARGETS := atmosphere aero missionpsd missionjson import oglmodel texture dib

PREFIX ?= /usr/local

.PHONY: deps run demo test manual-pictures test-dev test-asan test-tsan fuzz soak bench bench-peer package install clean

deps:
	scripts/install-deps

test: deps
	$(MAKE) --no-print-directory test-dev test-asan test-tsan

test-dev:
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-tsan:
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

# Each fuzz target for FUZZ_SECONDS seconds; what they find new goes to build/fuzz-findings/.
fuzz: deps
	cmake --preset asan
	cmake --build --preset asan $(addprefix --target fuzz_,$(FUZZ_TARGETS))
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz-findings/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  build/asan/tests/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	    -timeout=10 -print_final_stats=1 -artifact_prefix=build/fuzz-findings/$$t- \
	    build/fuzz-findings/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

# The random-input soak: SOAK_EVENTS mouse and key events chosen by SOAK_SEED, over the desktop
# program built with the sanitizers, on a virtual X server and a throw-away copy of data/.
SOAK_EVENTS ?= 2000
SOAK_SEED ?= 1
soak: deps
	cmake --preset asan
	cmake --build --preset asan --target plumora pictures
	python3 tests/gui/input/monkey.py build/asan/src/gui/plumora data build/asan/tools/graphics \
	  --events $(SOAK_EVENTS) --seed $(SOAK_SEED)

run: deps
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); running the command-line demo instead"; \
	  $(MAKE) --no-print-directory demo; \
	else \
	  cmake --preset release && \
	  cmake --build --preset release --target plumora && \
	  cd data && ../$(GUI_RELEASE) $(EXAMPLE); \
	fi

demo: deps
	cmake --preset release
	cmake --build --preset release --target plumora-cli
	cd data && ../$(CLI_RELEASE) run --csv ../build/earth-return.csv $(EXAMPLE)
	@echo "Every sample of the flight: build/earth-return.csv"

# The pictures of the user manual (docs/manual/pictures), drawn by the Debug build's plumora
# --snapshot; the manual_pictures test fails until they are redrawn after a visible change.
manual-pictures: deps
	cmake --preset dev
	cmake --build --preset dev --target manual-pictures

bench: deps
	cmake --preset release
	cmake --build --preset release
	@for b in build/release/bench/bench_*; do \
	  [ -x "$$b" ] && [ "$${b##*/}" != bench_mission ] && "$$b" || true; \
	done

# The Earth entry beside a SciPy point mass written for it (bench/peer); installs SciPy first.
PEER_PYTHON ?= /usr/bin/python3
bench-peer:
	scripts/install-deps --peer
	cmake --preset release
	cmake --build --preset release --target plumora-cli bench_mission
	$(PEER_PYTHON) bench/peer/compare.py --python $(PEER_PYTHON) \
	  --cli build/release/src/cli/plumora-cli --bench build/release/bench/bench_mission

package: deps
	cmake --preset package
	cmake --build --preset package
	cd build/package && cpack

install: deps
	cmake --preset package
	cmake --build --preset package
	cmake --install build/package --prefix $(PREFIX) --strip

clean:
	rm -rf build
