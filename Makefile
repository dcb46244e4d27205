# The front door: every target sets the machine up first.
PRESET ?= linux
BUILD := build/$(PRESET)
ZIP := build/win32/duskwheel-win32.zip
ICON := build/icon/duskwheel.ico

.PHONY: all setup setup-web build data run test windows windows-build fuzz fuzz-build package capture web serve clean

all: build

setup:
	@scripts/setup

# The web build's compiler, the browser its tests drive, and the tests' npm
# packages: only for the targets that need them.
setup-web: setup
	@scripts/setup --web

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

# The whole show as a video with its music, beside the program.
capture: data
	cd $(BUILD) && $(if $(DISPLAY),,../../scripts/with-xvfb) ./duskwheel-capture \
		--video duskwheel.mp4 --size 1920x1080 --fps 60

# Both Windows programs: the 32-bit one users get, and the 64-bit one for
# machines whose wine runs only 64-bit code. Their icon comes first, drawn by
# the native make-data; kept when unchanged, so the exes are not linked again.
windows-build: setup
	@cmake --preset $(PRESET) >/dev/null && cmake --build $(BUILD) --target make-data
	@mkdir -p $(dir $(ICON)) && $(BUILD)/make-data --icon $(ICON).new && \
		{ cmp -s $(ICON).new $(ICON) && rm $(ICON).new || mv $(ICON).new $(ICON); }
	@for preset in win32 win64; do \
		cmake --preset $$preset -DDUSK_ICON=$(CURDIR)/$(ICON) >/dev/null && cmake --build build/$$preset || exit 1; \
	done

# A zip to copy to a Windows PC: both programs beside the Data folder that
# the native make-data writes, and the info file that demo downloads carry.
windows: windows-build data
	@rm -rf build/win32/package && mkdir -p build/win32/package
	@cp build/win32/duskwheel.exe build/win32/duskwheel-capture.exe build/win32/package/
	@cp build/win64/duskwheel.exe build/win32/package/duskwheel64.exe
	@cp $(BUILD)/duskwheel.nfo build/win32/package/
	@cp -r $(BUILD)/Data build/win32/package/Data && rm -f build/win32/package/Data/.made
	@rm -f $(ZIP) && cd build/win32/package && zip -qr ../duskwheel-win32.zip .
	@echo "windows: $(ZIP)" && unzip -l $(ZIP) | tail -n +4 | head -n -2

# A Debian package of the Linux program, its capture tool and the Data folder.
package: data
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls -l duskwheel_*.deb

# The libFuzzer targets (clang, ASan, UBSan), and a long run of each:
# make fuzz FUZZ_SECONDS=600. The corpora grow in build/fuzz/corpus.
FUZZ_SECONDS ?= 300
FUZZ_TARGETS := pcx mp3 module mp3_layout options
fuzz-build: setup
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz --target $(addprefix fuzz-,$(FUZZ_TARGETS))

fuzz: fuzz-build
	@for target in $(FUZZ_TARGETS); do tests/fuzz/run.sh build/fuzz $$target $(FUZZ_SECONDS) || exit 1; done

# The show as a web site in build/web/site, and nothing else there: the
# wasm program, the page, the Data folder that the native make-data writes
# (kept when unchanged) and data.json, its files' names and sizes, so that
# the page knows the whole download before its first byte. The build's own
# files and the sound-test pages stay outside, in build/web.
SITE := build/web/site
web: setup-web
	@cmake --preset $(PRESET) >/dev/null && cmake --build $(BUILD) --target make-data
	@if [ ! -f $(BUILD)/Data/.made ] || [ $(BUILD)/make-data -nt $(BUILD)/Data/.made ]; then \
		cd $(BUILD) && ./make-data Data && touch Data/.made; \
	fi
	@cmake --preset web >/dev/null && cmake --build build/web
	@rm -rf $(SITE)/Data && cp -r $(BUILD)/Data $(SITE)/Data && rm -f $(SITE)/Data/.made
	@cd $(SITE)/Data && { printf '['; sep=; for f in *; do printf '%s{"name":"%s","size":%s}' "$$sep" "$$f" "$$(stat -c %s "$$f")"; sep=,; done; echo ']'; } >../data.json
	@echo "web: $(SITE) is the site to copy:" && cd $(SITE) && find . -type f | sort | sed 's|^\./|  |'

# The site on this machine alone; any static web server serves it the same.
SERVE_PORT ?= 8000
serve: web
	@echo "serve: http://127.0.0.1:$(SERVE_PORT)/ (Ctrl-C stops it)"
	@python3 -m http.server $(SERVE_PORT) --bind 127.0.0.1 --directory $(SITE) >/dev/null

# The tests make their own Data/ first (a ctest fixture), so it is not made
# twice; the wine tests run the Windows builds, the fuzz tests the fuzz
# build, the web tests build/web in headless chromium.
test: build windows-build fuzz-build package web
	scripts/with-xvfb ctest --test-dir $(BUILD) --output-on-failure

clean:
	rm -rf build
