# Two entry points: `make run` builds and runs the generator, `make test` builds and runs every test.
# Both install what is missing first.

.PHONY: run test deps build

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev

run: build
	scripts/run-generator build/dev/generatore

test: build
	ctest --preset dev
