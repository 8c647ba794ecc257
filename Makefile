# Two commands for a newcomer:  make run   and   make test
MAKEFLAGS += --no-print-directory
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test test-sanitize approve package bench build configure deps test-deps clean

deps:
	@scripts/deps.sh

test-deps:
	@scripts/deps.sh test

configure:
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: deps
	@$(MAKE) build
	@scripts/run.sh $(BUILD_DIR)/app

test: test-deps
	@$(MAKE) build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel $(JOBS)

# Writes the approved images of the windows anew, after an intended change
# of how they look; look at them (git diff shows which) before committing.
approve: test-deps
	@$(MAKE) build
	@cd $(BUILD_DIR) && JANKEN_APPROVE=1 QT_QPA_PLATFORM=offscreen ctest -L approved --output-on-failure

# The whole suite again, built with AddressSanitizer, UndefinedBehaviorSanitizer
# and leak checking, in build-sanitize/.
test-sanitize: test-deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize --parallel $(JOBS)
	@ctest --preset sanitize --parallel $(JOBS)

# A Debian package for /usr, built apart in build-package/.
package: deps
	@scripts/deps.sh package
	@cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF >/dev/null
	@cmake --build build-package --parallel $(JOBS)
	@cd build-package && cpack -G DEB
	@ls build-package/janken_*.deb

# The benchmark table (about two minutes); the README quotes it.
bench:
	@scripts/deps.sh bench
	@$(MAKE) build
	@bench/run.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) build-sanitize build-package
