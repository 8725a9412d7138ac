# The two entry points: `make run` and `make test`. Both install what is missing first.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test bench clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD) -j2

run: build
	./$(BUILD)/solvane

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

bench: build
	./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
