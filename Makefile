# Thin wrapper over CMake presets. `make demo` runs the program on the bundled data, `make test`
# builds and runs every test suite.
CLI_RELEASE := build/release/src/cli/plumora-cli

.PHONY: deps demo test bench clean

deps:
	scripts/install-deps

test: deps
	cmake --preset dev
	cmake --build --preset dev
	ctest --preset dev

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
