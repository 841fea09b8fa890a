# Quillon: `make run` builds and opens the demo album, `make test` builds and runs every test,
# `make package` builds a Debian package.
BUILD      ?= build
SAN_BUILD  ?= build-san
BENCH_BUILD ?= build-bench
PKG_BUILD  ?= build-pkg
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build run test test-san bench demo package clean

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
	rm -rf $(BUILD) $(SAN_BUILD) $(BENCH_BUILD) $(PKG_BUILD)
