# kubo: set-up, build, run and test on Debian (or build and run natively on Windows).
#   make        build the native tree (core, console programs, unit tests) and the Windows tree
#   make run    start kubo_puzzle_select.exe in build/run (under Wine on Linux)
#   make test   every test: native unit tests, the Wine GUI tests, the release's tests
#   make dist   the Windows release, build/dist/kubo-VERSION-win64.zip
#   make screenshot  renews the README's pictures in docs/ from the real programs
#   make bench  the benchmarks, release build
#   make fuzz   the parser fuzzers, for a bounded time
# Every target first installs what is missing (tools/deps.sh).

BUILD   := build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
RELEASE := $(BUILD)/release
RUN     := $(BUILD)/run
DIST    := $(BUILD)/dist
VERSION := $(shell git describe --always --dirty 2>/dev/null || echo unknown)
ZIP     := $(DIST)/kubo-$(VERSION)-win64.zip
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN := -G "Unix Makefiles"

.PHONY: all deps native win run-folder run test unit-test gui-test dist dist-test screenshot \
        bench fuzz clean

all: deps native win run-folder

ifeq ($(OS),Windows_NT)
# Natively on Windows (MSYS2 or a MinGW shell with cmake): only the programs.
deps: ;
native: ;
win:
	cmake -S . -B $(WIN) -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release -DKUBO_VERSION=$(VERSION)
	cmake --build $(WIN) -j $(JOBS)
run-folder: win
	cmake -E make_directory $(RUN)
	cmake -E copy_directory $(WIN)/bin $(RUN)
run: all
	cd $(RUN) && ./kubo_puzzle_select.exe
else
deps:
	@tools/deps.sh

native: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DKUBO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) $(CMAKE_GEN) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DKUBO_VERSION=$(VERSION) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

# The run folder is laid out as a user's installation: the programs and their data files.
run-folder: native win
	@mkdir -p $(RUN)
	@cp -u $(WIN)/bin/*.exe $(RUN)/
	@if [ -d $(NATIVE)/data ]; then cp -ru $(NATIVE)/data/. $(RUN)/; fi

# Under Wine with a prefix of its own inside build/; on a machine without a display the
# window goes to a virtual one (xvfb-run) and nobody can see it.
run: all
	@tests/gui/wine-env.sh run $(CURDIR)/$(BUILD)/wineprefix-run $(CURDIR)/$(RUN) kubo_puzzle_select.exe

unit-test: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

gui-test: all
	@tests/gui/run.sh $(CURDIR)/$(WIN) $(CURDIR)/$(RUN)

# The release: the programs, the converter's data and LIESMICH.txt, as one zip.
dist: all
	@tools/dist.sh $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE) $(CURDIR)/$(DIST) $(VERSION) >/dev/null
	@echo "dist: $(ZIP), $$(stat -c %s $(ZIP)) bytes"

dist-test: dist
	@tests/dist/check-release.sh $(CURDIR)/$(ZIP) $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE)
	@tests/dist/new-user.sh $(CURDIR)/$(ZIP) $(CURDIR)/$(WIN)

# Pictures for README.md; imagemagick is installed for this target alone.
screenshot: all
	@tools/deps.sh screenshot
	@tools/screenshot.sh $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE) $(CURDIR)/docs

test: unit-test gui-test dist-test

# The Wine benchmarks need the Windows programs and the run folder as well.
bench: all
	@cmake -S . -B $(RELEASE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DKUBO_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)
	@tools/bench.sh $(RELEASE) $(WIN) $(RUN)

fuzz: deps
	@if [ -x tools/fuzz.sh ]; then tools/fuzz.sh; else echo "no fuzzers yet"; fi
endif

clean:
	rm -rf $(BUILD)
