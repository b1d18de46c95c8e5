# Two entry points: `make run` builds and runs the generator, `make test` builds and runs every test
# (the everyday build, then the whole suite again under the address and undefined-behaviour
# sanitizers, then the Windows programs, cross-built and run under Wine against the everyday
# build). Both install what is missing first.

.PHONY: run test test-dev test-asan test-windows deps build

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev

run: build
	scripts/run-generator build/dev/generatore

test-dev: build
	ctest --preset dev

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-windows: build
	scripts/test-windows build/dev

test: test-dev test-asan test-windows
