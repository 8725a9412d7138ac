# The two entry points: `make run` and `make test`. Both install what is missing first.
# `make package` builds the Debian package $(BUILD)/solvane_<version>_amd64.deb.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all deps configure build run test bench package clean

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

package: build
	cd $(BUILD) && cpack -G DEB

bench: build
	./scripts/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD)
