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

# Data/ is made again only when make-data itself changed.
data: build
	@if [ -x $(BUILD)/make-data ] && { [ ! -f $(BUILD)/Data/.made ] || [ $(BUILD)/make-data -nt $(BUILD)/Data/.made ]; }; then \
		cd $(BUILD) && ./make-data Data && touch Data/.made; \
	fi

run: data
	cd $(BUILD) && ./duskwheel

# The tests make their own Data/ first (a ctest fixture), so it is not made twice.
test: build
	scripts/with-xvfb ctest --test-dir $(BUILD) --output-on-failure

clean:
	rm -rf build
