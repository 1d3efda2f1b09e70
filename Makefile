# The front door: `make run` and `make test` are all a fresh machine needs.
WINDOWS := win32 win32-stdcall
# The test suite builds these trees; the Windows ones are tested from native.
CHECKED := asan fuzz
FUZZ_SECONDS ?= 600

.PHONY: run test package bench fuzz native windows checked clean

native:
	sh cmake/ensure-tools.sh native
	cmake --preset native
	cmake --build --preset native

run: native
	cd build/native && ./gpiocheck

windows: native
	sh cmake/ensure-tools.sh all
	for preset in $(WINDOWS); do cmake --preset $$preset && cmake --build --preset $$preset || exit 1; done

checked: native
	sh cmake/ensure-tools.sh all
	for preset in $(CHECKED); do cmake --preset $$preset && cmake --build --preset $$preset || exit 1; done

test: windows checked
	ctest --preset native
	ctest --preset asan
	for preset in $(WINDOWS); do ctest --preset $$preset || exit 1; done
	ctest --preset fuzz

# A zip for Windows users: gpiocheck.exe, GPIOSet.ini, a readme, and the
# simulated TovCore.dll in a folder of its own.
package: windows
	cd build/win32 && cpack -G ZIP

# Each fuzz target for FUZZ_SECONDS, from the corpus the suite has grown.
fuzz: checked
	for target in profile text_query; do \
	  build/fuzz/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    build/fuzz/fuzz/$${target}_fuzz-corpus tests/fuzz/$${target}_seeds || exit 1; \
	done

# Pulse accuracy and start-up cost of the native build; figures, not checks.
bench: native
	build/native/bench/gpiocheck_bench build/native

clean:
	rm -rf build
