# Two commands for a newcomer:  make run   and   make test
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run web web-deps test test-web test-clients test-orca test-office test-long test-sanitize approve package package-check bench build configure deps test-deps clean

deps:
	@scripts/deps.sh

test-deps:
	@scripts/deps.sh test

configure:
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

# The browser edition: one page that works offline, build-web/janken.html. Built by Debian's
# emscripten, whose optimiser finds Debian's acorn through NODE_PATH; the chimes are the ones the
# desktop build makes.
WEB_DIR ?= build-web
web: web-deps
	@$(MAKE) configure
	@cmake --build $(BUILD_DIR) --target janken_chimes
	@NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEB_DIR) -DCMAKE_BUILD_TYPE=MinSizeRel \
		-DJANKEN_CHIMES_DIR=$(abspath $(BUILD_DIR))/app >/dev/null
	@NODE_PATH=/usr/share/nodejs cmake --build $(WEB_DIR) --parallel $(JOBS)
	@echo "The browser edition: $(abspath $(WEB_DIR))/janken.html"
	@echo "Open it in a browser (a double-click on it, or: xdg-open $(WEB_DIR)/janken.html)."

web-deps:
	@scripts/deps.sh web

run: deps
	@$(MAKE) build
	@scripts/run.sh $(BUILD_DIR)/app

test: test-deps
	@$(MAKE) build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)
	@$(MAKE) test-web

# The browser edition in headless Chromium, driven by Selenium: beside the desktop's windows, as a
# pupil uses it, and as axe-core (npm's package, at this version and checksum) checks it for a
# screen reader.
AXE_VERSION ?= 4.14.1
AXE_SHA512 ?= FHfa+lmNjQZfJz1q8wKqIDwC6DExcHt/pkjNQb09a3NPjCKg2rhu5qb2S4r76ASyFNNtuFooJpZe37OgudVGtQ==
test-web: test-deps
	@$(MAKE) build
	@$(MAKE) web
	@/usr/bin/python3 scripts/fetch-axe.py $(AXE_VERSION) $(AXE_SHA512) $(WEB_DIR)/axe/axe.min.js
	@/usr/bin/python3 tests/web/test_page.py $(WEB_DIR) $(BUILD_DIR)

# The real programs from Debian that a blind pupil and a teacher use with janken, under a private
# X server and session bus: Orca reads the lesson out (its speech read from its debug log, spoken
# to speech-dispatcher's dummy output), LibreOffice Calc and Writer paste its copies.
test-clients: test-orca test-office

test-orca:
	@scripts/deps.sh orca
	@$(MAKE) build
	@/usr/bin/python3 tests/forms/qt/orca_lesson.py $(BUILD_DIR)/app/janken

test-office:
	@scripts/deps.sh office
	@$(MAKE) build
	@/usr/bin/python3 tests/forms/qt/office_paste.py $(BUILD_DIR)/app/janken

# The model run at a million events, five times make test's (a minute and a
# half). The offscreen platform's warnings (it cannot raise a window) are
# hidden, so that the figures the run prints are not cut off after QtTest's 2,000.
test-long: test-deps
	@$(MAKE) build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen PULSE_SERVER=unix:/nonexistent \
		QT_LOGGING_RULES=default.warning=false JANKEN_FUZZ_EVENTS=1000000 tests/tst_model

# Writes the approved images of the windows anew, after an intended change
# of how they look; look at them (git diff shows which) before committing.
approve: test-deps
	@$(MAKE) build
	@cd $(BUILD_DIR) && JANKEN_APPROVE=1 QT_QPA_PLATFORM=offscreen ctest -L approved --output-on-failure
	@$(MAKE) web
	@JANKEN_APPROVE=1 /usr/bin/python3 tests/web/test_page.py $(WEB_DIR) $(BUILD_DIR) -k graph -k help

# The whole suite again, built with AddressSanitizer, UndefinedBehaviorSanitizer
# and leak checking, in build-sanitize/.
test-sanitize: test-deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize --parallel $(JOBS)
	@ctest --preset sanitize --parallel $(JOBS)

# The Debian package (debian/), built by dpkg-buildpackage from a copy of
# the tree in build-package/src/; the .deb lands in build-package/.
package: deps
	@scripts/deps.sh package
	@packaging/build-deb.sh build-package $(JOBS)

# The built package through lintian, AppStream's and the desktop entry's
# validators and man's warnings; then, as root, the source package built in
# a clean minimal tree of each suite as Debian builds it, twice to compare,
# with hardening-check, that suite's lintian and autopkgtest. Fails on any
# error or warning.
PACKAGE_SUITES ?= bookworm trixie
package-check: package
	@packaging/check-deb.sh build-package
	@for suite in $(PACKAGE_SUITES); do \
		packaging/tree-build.sh build-package $$suite $(JOBS) || exit 1; done

# The benchmark table (about four minutes), the browser edition's after the desktop's; the
# README quotes it.
bench:
	@scripts/deps.sh bench
	@$(MAKE) build
	@$(MAKE) web
	@bench/run.sh $(BUILD_DIR) $(WEB_DIR)

clean:
	rm -rf $(BUILD_DIR) $(WEB_DIR) build-sanitize build-package
