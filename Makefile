# Thin wrapper over CMake presets. `make run` starts the desktop program on the bundled data,
# `make test` builds and runs every test suite, `make demo` runs the command line.
CLI_RELEASE := build/release/src/cli/plumora-cli
GUI_RELEASE := build/release/src/gui/plumora
# The Earth example, once it is there; otherwise the program opens a new mission.
EXAMPLE := examples/earth-return.psd

.PHONY: deps run demo test bench clean

deps:
	scripts/install-deps

test: deps
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

run: deps
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); running the command-line demo instead"; \
	  $(MAKE) --no-print-directory demo; \
	else \
	  cmake --preset release && \
	  cmake --build --preset release --target plumora && \
	  cd data && if [ -f $(EXAMPLE) ]; then ../$(GUI_RELEASE) $(EXAMPLE); else ../$(GUI_RELEASE); fi; \
	fi

demo: deps
	cmake --preset release
	cmake --build --preset release --target plumora-cli
	cd data && ../$(CLI_RELEASE) atmosphere

bench: deps
	cmake --preset release
	cmake --build --preset release
	@for b in build/release/bench/bench_*; do [ -x "$$b" ] && "$$b" || true; done

clean:
	rm -rf build
