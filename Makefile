# The front door: every target sets the machine up first.
PRESET ?= linux
BUILD := build/$(PRESET)

.PHONY: all setup build data run test clean

all: build

setup:
	@scripts/setup

build: setup
	@cmake --preset $(PRESET) >/dev/null
	@cmake --build $(BUILD)

data: build
	@if [ -x $(BUILD)/make-data ]; then cd $(BUILD) && ./make-data; fi

run: data
	cd $(BUILD) && ./duskwheel

test: data
	scripts/with-xvfb ctest --test-dir $(BUILD) --output-on-failure

clean:
	rm -rf build
