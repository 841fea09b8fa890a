# Quillon: `make run` builds and opens the demo album, `make test` builds and runs every test,
# `make package` builds a Debian package.
BUILD      ?= build
SAN_BUILD  ?= build-san
BENCH_BUILD ?= build-bench
PKG_BUILD  ?= build-pkg
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build run test test-san format format-check test-tsan fuzz fuzz-build fuzz-smoke bench demo package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# Writes a settings file pointing at the demo album only when none exists yet.
run: build
	@test -f $(BUILD)/qvb.ini || scripts/write-demo-settings $(BUILD)/qvb.ini "$(CURDIR)/demo/railway-demo.qdb"
	$(BUILD)/quillon

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-san: deps
	cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS)

# The player, its decoder thread and the windows that play, built with ThreadSanitizer.
# Every process the tests start writes its reports to $(TSAN_BUILD)/tsan-reports; any report fails.
TSAN_TESTS := playback_player_test playback_test shortcuts_test app_instance_test app_window_test
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target quillon $(TSAN_TESTS)
	rm -rf $(TSAN_BUILD)/tsan-reports && mkdir -p $(TSAN_BUILD)/tsan-reports
	cd $(TSAN_BUILD) && TSAN_OPTIONS="suppressions=$(CURDIR)/scripts/tsan.supp log_path=$(CURDIR)/$(TSAN_BUILD)/tsan-reports/report second_deadlock_stack=1 die_after_fork=0" \
	  QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j $(JOBS) -R '^(playback_player_test|playback_test|shortcuts_test|app_instance_test|app_window_test)$$'
	@if ls $(TSAN_BUILD)/tsan-reports/report.* >/dev/null 2>&1; then cat $(TSAN_BUILD)/tsan-reports/report.*; echo "ThreadSanitizer reported races" >&2; exit 1; fi

# libFuzzer targets over the logic library and the MP3 stream (clang; see fuzz/).
fuzz-build: deps
	@scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_FUZZ=ON \
	  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each target for FUZZ_SECONDS (make fuzz FUZZ_SECONDS=600); fails on any finding.
fuzz: fuzz-build
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Every target for about 10 s, as CI runs them.
fuzz-smoke: fuzz-build
	scripts/run-fuzz $(FUZZ_BUILD) 10

# The code's layout as .clang-format says; format-check fails on any difference.
FORMAT_FILES = git ls-files '*.cpp' '*.h'
format: deps
	@scripts/install-deps --format
	$(FORMAT_FILES) | xargs clang-format -i
format-check: deps
	@scripts/install-deps --format
	$(FORMAT_FILES) | xargs clang-format --dry-run --Werror

bench: deps
	@scripts/install-deps --bench
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DQUILLON_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; \
	  echo "== $$b"; QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy $$b || exit 1; \
	done

# Regenerates the demo album's sounds, notes and album file (needs sox and lame).
demo:
	@scripts/install-deps --demo
	scripts/make-demo-album demo

# A Debian package (.deb) of a release build installed under /usr, in $(PKG_BUILD)/.
package: deps
	cmake -S . -B $(PKG_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PKG_BUILD) -j $(JOBS) --target quillon
	cd $(PKG_BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD) $(PKG_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
