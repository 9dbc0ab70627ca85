# Front door for building, running and testing. CMake does the real work.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all configure build program run test test-plain test-asan test-fuzz install bench clean

all: build

configure:
	cmake -S . -B build -DTW_WERROR=ON $(CMAKE_FLAGS)

# Everything: the program, its run-time files and every test program.
build: configure
	cmake --build build -j $(JOBS)

# The program and its run-time files only.
program: configure
	cmake --build build -j $(JOBS) --target tonewright

run: program
	cd build && ./tonewright

# Every test, three times over: the plain build, the AddressSanitizer +
# UndefinedBehaviorSanitizer build, and the libFuzzer targets for a bounded time.
# Each test has its own time limit (tw_add_test's TIMEOUT, 300 s unless it names
# another), three times as long in the sanitizer build; ctest's --timeout would
# reach only tests without one, and there are none.
test: test-plain test-asan test-fuzz

test-plain: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B build-asan -DTW_WERROR=ON -DTW_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

test-fuzz:
	cmake -S . -B build-fuzz -DTW_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target tw_fuzzers
	cd build-fuzz && ctest --output-on-failure -L fuzz -j $(JOBS)

install: program
	cmake --install build --strip

bench:
	cmake -S . -B build -DTW_WERROR=ON $(CMAKE_FLAGS)
	cmake --build build -j $(JOBS) --target tw_benchmarks
	cd build && ctest -C bench -L bench --verbose

clean:
	rm -rf build build-asan build-fuzz
