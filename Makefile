# kubo: set-up, build, run and test on Debian (or build and run natively on Windows).
#   make        build the native tree (core, console programs, unit tests) and the Windows tree
#   make deps   install every package the targets below need (tools/deps.sh)
#   make run    start kubo_puzzle_select.exe in build/run (under Wine on Linux); builds only
#               the programs and their data
#   make test   every test: native unit tests (and their ThreadSanitizer and no-SSE2 builds),
#               the fuzz targets' clang build, the Wine GUI tests, the release's tests; each
#               step ends with its counts
#   make dist   the Windows release, build/dist/kubo-VERSION-win64.zip (VERSION: the file
#               VERSION, the number of commits and the commit, tools/version.cmake)
#   make screenshot  renews the README's pictures in docs/ from the real programs
#   make bench  the benchmarks, release build
#   make fuzz   the parser fuzzers, for a bounded time
# Only make deps, make run and make test install missing packages; every other target
# names what is missing and stops. On Debian every tree is built with warnings as errors; a
# compiler newer than Debian 12's may warn where this one does not: make WERROR=OFF builds on.

BUILD   := build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
RELEASE := $(BUILD)/release
TSAN    := $(BUILD)/tsan
NOSSE2  := $(BUILD)/nosse2
RUN     := $(BUILD)/run
DIST    := $(BUILD)/dist
# Found once, when a recipe first needs it: after the build's packages (cmake) are there.
VERSION = $(eval VERSION := $(shell cmake -P tools/version.cmake))$(VERSION)
ZIP     = $(DIST)/kubo-$(VERSION)-win64.zip
WERROR  ?= ON
JOBS    ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN := -G "Unix Makefiles"
# What every Debian tree is configured with.
CMAKE_CONFIG = $(CMAKE_GEN) -DKUBO_WERROR=$(WERROR)
# The programs of a user's installation.
PROGRAMS := kubo_puzzle_select kubo_puzzle_erg facetgen rtd
# cmake's makefiles announce every folder they enter; nobody reads that.
MAKEFLAGS += --no-print-directory

.PHONY: all deps build-deps native win programs run-folder run test unit-test tsan-test \
        nosse2-test fuzz-build gui-test dist dist-test screenshot bench fuzz clean

all: native win run-folder

ifeq ($(OS),Windows_NT)
# Natively on Windows (MSYS2 or a MinGW shell with cmake): the programs, and the mesh
# generator's map file and meshes, which this host can make itself.
deps: ;
native: ;
win:
	cmake -S . -B $(WIN) -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release -DKUBO_VERSION=$(VERSION)
	cmake --build $(WIN) -j $(JOBS)
programs: win
run-folder: win
	cmake -E make_directory $(RUN)
	cmake -E copy_directory $(WIN)/bin $(RUN)
	cmake -E copy_directory $(WIN)/data $(RUN)
run: all
	cd $(RUN) && ./kubo_puzzle_select.exe
else
ifneq ($(filter deps run test,$(MAKECMDGOALS)),)
DEPS := install
else
DEPS := check
endif

NATIVE_CONFIG = cmake -S . -B $(NATIVE) $(CMAKE_CONFIG) -DKUBO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
WIN_CONFIG = cmake -S . -B $(WIN) $(CMAKE_CONFIG) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DKUBO_VERSION=$(VERSION) >/dev/null
# A test step's output ends with a line of its counts ("tsan: 6 passed, 0 failed").
COUNTED = tests/support/counted.sh

deps:
	@tools/deps.sh install build wine fuzz screenshot

# A target of its own, so that the recipes that need the packages are expanded after it.
build-deps:
	@tools/deps.sh $(DEPS) build

native: build-deps
	@$(NATIVE_CONFIG)
	@cmake --build $(NATIVE) -j $(JOBS)

win: build-deps
	@$(WIN_CONFIG)
	@cmake --build $(WIN) -j $(JOBS)

# What running needs and no more: the Windows programs and, from the native tree, the
# converter's map file and meshes. Quiet; the log is shown when the build fails.
programs: build-deps
	@mkdir -p $(BUILD)
	@echo "building the programs and their data (log: $(BUILD)/programs.log)"
	@{ $(NATIVE_CONFIG) && cmake --build $(NATIVE) -j $(JOBS) --target piece_meshes && \
	   $(WIN_CONFIG) && cmake --build $(WIN) -j $(JOBS) --target $(PROGRAMS); } \
	  >$(BUILD)/programs.log 2>&1 || { cat $(BUILD)/programs.log; exit 1; }

# The run folder is laid out as a user's installation: the programs and their data files.
run-folder: programs
	@mkdir -p $(RUN)
	@cp -u $(foreach p,$(PROGRAMS),$(WIN)/bin/$(p).exe) $(RUN)/
	@cp -ru $(NATIVE)/data/. $(RUN)/

# Under Wine with a prefix of its own inside build/; on a machine without a display the
# window goes to a virtual one (xvfb-run) and nobody can see it.
run: run-folder
	@tools/deps.sh $(DEPS) wine
	@tests/gui/wine-env.sh run $(CURDIR)/$(BUILD)/wineprefix-run $(CURDIR)/$(RUN) kubo_puzzle_select.exe

unit-test: native
	@cd $(NATIVE) && $(CURDIR)/$(COUNTED) unit ctest --output-on-failure -j $(JOBS)

# The threaded tests once more under ThreadSanitizer, which cannot share a build with the
# other sanitizers: a build of their own, of that test program alone.
tsan-test: build-deps
	@cmake -S . -B $(TSAN) $(CMAKE_CONFIG) -DKUBO_SANITIZE=thread -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(TSAN) -j $(JOBS) --target kubo_thread_tests >/dev/null
	@echo "tsan: the threaded tests under ThreadSanitizer"
	@TSAN_OPTIONS=halt_on_error=1 $(COUNTED) tsan $(TSAN)/tests/kubo_thread_tests --gtest_brief=1

# The solver's tests on the portable code paths that x86-64 builds otherwise never compile;
# the whole solve (a minute) is left to the main build, whose search is the same code.
nosse2-test: build-deps
	@cmake -S . -B $(NOSSE2) $(CMAKE_CONFIG) -DKUBO_NO_SSE2=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NOSSE2) -j $(JOBS) --target kubo_solver_tests >/dev/null
	@echo "nosse2: the solver's tests without the SSE2 paths"
	@$(COUNTED) nosse2 $(NOSSE2)/tests/solver/kubo_solver_tests --gtest_brief=1 \
	  --gtest_filter=-Program.FullTableIsCompleteAndPassesItsCheck

# The fuzz targets are the one clang tree: built (not run) so that clang's warnings fail
# make test as gcc's do. About a quarter of a minute; make fuzz runs them.
fuzz-build:
	@tools/deps.sh $(DEPS) build fuzz
	@WERROR=$(WERROR) tools/fuzz.sh build

gui-test: win run-folder
	@tools/deps.sh $(DEPS) wine
	@tests/gui/run.sh $(CURDIR)/$(WIN) $(CURDIR)/$(RUN)

# The release: the programs, the converter's data and LIESMICH.txt, as one zip.
dist: run-folder
	@tools/dist.sh $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE) $(CURDIR)/$(DIST) $(VERSION) >/dev/null
	@echo "dist: $(ZIP), $$(stat -c %s $(ZIP)) bytes"

dist-test: dist win
	@tools/deps.sh $(DEPS) wine
	@tests/dist/check-release.sh $(CURDIR)/$(ZIP) $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE)
	@tests/dist/check-reproducible.sh $(CURDIR)/$(ZIP) $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE) $(VERSION)
	@tests/dist/new-user.sh $(CURDIR)/$(ZIP) $(CURDIR)/$(WIN)

# Pictures for README.md; imagemagick is needed for this target alone.
screenshot: all
	@tools/deps.sh $(DEPS) wine screenshot
	@tools/screenshot.sh $(CURDIR)/$(WIN) $(CURDIR)/$(NATIVE) $(CURDIR)/docs

test: unit-test tsan-test nosse2-test fuzz-build gui-test dist-test

# The Wine benchmarks need the Windows programs and the run folder as well.
bench: all
	@tools/deps.sh $(DEPS) wine
	@cmake -S . -B $(RELEASE) $(CMAKE_CONFIG) -DCMAKE_BUILD_TYPE=Release -DKUBO_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS)
	@tools/bench.sh $(RELEASE) $(WIN) $(RUN)

fuzz:
	@tools/deps.sh $(DEPS) build fuzz
	@WERROR=$(WERROR) tools/fuzz.sh
endif

clean:
	rm -rf $(BUILD)
