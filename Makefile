# The two commands that do everything on a fresh Debian 12 machine:
#   make run    install what the program needs, build it and start it on $DISPLAY
#   make test   install what the tests need (Xvfb included), build, and run every test
#   make bench  build and run the benchmarks, printing their figures
#   make windows        cross-build build-windows/huizhan-hotspots.exe (libraries cached in ~/.cache)
#   make windows-check  its unit tests and the program itself under Wine
#   make package        the .deb (build/), the Windows zip and installer (build-windows/)
#   make package-check  installs the .deb, starts the installed program, removes it
BUILD     ?= build
WIN_BUILD ?= build-windows
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SETTINGS_SECONDS ?= 30
JOBS      ?= $(shell nproc)
XVFB       = xvfb-run -a -s "-screen 0 1600x1200x24"
TEST_ENV   = GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1

.PHONY: all deps build run test test-asan bench fuzz windows windows-check package package-check clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/huizhan-hotspots

test: build
	cd $(BUILD) && $(TEST_ENV) $(XVFB) ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-asan

# The core and GUI tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@[ -f $(ASAN_BUILD)/build.ninja ] || cmake -S . -B $(ASAN_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=Debug -DWERROR=ON -DSANITIZE=ON -DBUILD_BENCHMARKS=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(TEST_ENV) ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	    $(XVFB) ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$(basename $$b)"; \
	    $(TEST_ENV) $(XVFB) $$b || exit 1; done

# The readers of untrusted files under libFuzzer (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer): the picture decoders, seeded with the picture
# fixtures, then the project reader, seeded with saved projects; each runs
# FUZZ_SECONDS and leaves what it finds in $(FUZZ_BUILD)/findings/.
fuzz:
	@./scripts/install-deps.sh fuzz
	@[ -f $(FUZZ_BUILD)/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWERROR=ON -DFUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_picture fuzz_project fuzz_settings
	mkdir -p $(FUZZ_BUILD)/corpus $(FUZZ_BUILD)/corpus-project $(FUZZ_BUILD)/corpus-settings $(FUZZ_BUILD)/findings
	$(FUZZ_BUILD)/fuzz_picture -max_total_time=$(FUZZ_SECONDS) -timeout=25 -max_len=16384 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/ $(FUZZ_BUILD)/corpus tests/fixtures/pictures tests/fixtures/hostile
	$(FUZZ_BUILD)/fuzz_project -max_total_time=$(FUZZ_SECONDS) -timeout=25 -max_len=65536 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/project- $(FUZZ_BUILD)/corpus-project tests/fixtures/projects
	$(FUZZ_BUILD)/fuzz_settings -max_total_time=$(FUZZ_SETTINGS_SECONDS) -timeout=25 -max_len=8192 \
	    -artifact_prefix=$(FUZZ_BUILD)/findings/settings- $(FUZZ_BUILD)/corpus-settings tests/fixtures/settings


windows:
	@./scripts/windows/build.sh $(WIN_BUILD)

windows-check: windows
	./scripts/windows/check.sh $(WIN_BUILD)

package: build windows
	@./scripts/install-deps.sh package
	cd $(BUILD) && cpack -G DEB
	cd $(WIN_BUILD) && cpack -G ZIP
	cmake --build $(WIN_BUILD) --target installer

package-check: package
	./scripts/package/check-deb.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)
