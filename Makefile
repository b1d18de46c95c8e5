# Two entry points: `make run` builds and runs the generator, `make test` builds and runs every test
# (the everyday build, then the whole suite again under the address and undefined-behaviour
# sanitizers, then the Windows programs, cross-built and run under Wine against the everyday
# build). Both install what is missing first.
#
# Besides: `make install [PREFIX=/usr/local]` installs the programs, their manual pages, the bash
# completion, the JSON schemas and the README; `make package` makes the .deb (build/dev) and the
# Windows .zip (build/windows).

PREFIX ?= /usr/local

.PHONY: run test test-dev test-asan test-windows deps build programs install package

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev

# Only the two programs: the tests, fuzz drivers and benchmarks are for `make test`.
programs: deps
	cmake --preset dev
	cmake --build --preset dev --target generatore scenario_tool

run: programs
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

install: programs
	cmake --build --preset dev --target scenario_manuals scenario_debian_files
	cmake --install build/dev --prefix "$(PREFIX)" --strip

package: build
	cd build/dev && cpack -G DEB
	cmake --preset windows
	cmake --build --preset windows --target generatore scenario_tool
	cd build/windows && cpack -G ZIP
