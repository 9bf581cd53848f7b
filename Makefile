# The two set-up commands: `make run` and `make test`. Both install whatever
# is missing first, then build. `make install` and `make package` build the
# program alone and install it (under PREFIX, inside DESTDIR when given) or
# make its Debian package.
BUILD ?= build
JOBS ?= $(shell nproc)
# The end-to-end tests spend most of their time waiting on windows (a
# process or a compositor starting, a window showing), not computing: with
# one test a core the processors stand idle half the time. One test more
# than the cores fills them; more would only crowd the tests that measure
# times (a hover gone within a second, a drag's exact pixels).
TEST_JOBS ?= $(shell echo $$(( $$(nproc) + 1 )))
PREFIX ?= /usr/local

.PHONY: all deps configure build run test test-debian13 bench bench-sessions install package clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Starts the clock; without a display it runs on a virtual one and saves a screenshot.
run: build
	@bash scripts/run.sh $(BUILD)/tockara

# Every process the tests start carries the run's mark in its environment;
# after the tests, any still running fails the run and is stopped.
test: build
	@run=tockara-test-$$$$-$$(date +%s%N); status=0; \
	  (cd $(BUILD) && TOCKARA_TEST_RUN=$$run ctest --output-on-failure -j $(TEST_JOBS)) || status=$$?; \
	  bash scripts/test_leftovers.sh "$$run" || status=1; \
	  exit $$status

# make test on Debian 13, in a root made with debootstrap under the build
# folder (needs root and the Debian package server; README.md).
test-debian13:
	@bash scripts/test_debian13.sh --build $(BUILD)

bench: build
	@bash scripts/bench.sh $(BUILD)

# The idle clock on each Wayland session against X11 alone (part of make bench).
bench-sessions: build
	@bash scripts/idle_sessions.sh $(BUILD)/tockara

install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target tockara tockara_docs
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Also installs what packaging needs (dpkg-dev, lintian), which the tests do not.
package: configure
	@bash scripts/install-deps.sh --package
	@cmake --build $(BUILD) -j $(JOBS) --target tockara tockara_docs
	@bash scripts/package.sh $(BUILD)

clean:
	@# never into a file system the Debian 13 root still has mounted
	rm -rf --one-file-system $(BUILD)
