# The two commands of the README; both install what is missing first.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: deps configure build test test-sanitizadores cobertura run deb bench clean

deps:
	tools/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_WERROR=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The tests, then the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 1
	$(MAKE) test-sanitizadores

test-sanitizadores: deps
	cmake -S . -B $(BUILD)-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTO_WERROR=ON -DVELTO_SANITIZE=ON
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 1

# Line and branch coverage of the tests, per folder of src/ and for tools/.
cobertura: deps
	cmake -S . -B $(BUILD)-cobertura -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DVELTO_COVERAGE=ON
	cmake --build $(BUILD)-cobertura -j $(JOBS)
	find $(BUILD)-cobertura -name '*.gcda' -delete
	cd $(BUILD)-cobertura && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j 1
	tools/cobertura $(BUILD)-cobertura

# Creates the database on first start (VELTO_EXEMPLO=1 fills it with sample data), then starts the program.
run: build
	tools/run-velto $(BUILD)

# The Debian package, installable with `apt install ./$(BUILD)/velto_*.deb`.
deb: build
	cd $(BUILD) && cpack -G DEB

bench: deps
	cmake -S . -B $(BUILD)-bench -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DVELTO_BUILD_BENCH=ON -DVELTO_BUILD_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	tools/run-bench $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-bench $(BUILD)-cobertura
