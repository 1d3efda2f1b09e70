# The front door: `make run` and `make test` are all a fresh machine needs.
# Every build the suite proves; the cross builds are tested from native.
TREES := native linux-i386 win32 win64 asan fuzz
WINDOWS := win32 win64
FUZZ_SECONDS ?= 600

.PHONY: run test package bench fuzz builds clean

# Configured once; after that Ninja reconfigures by itself when a CMake file
# changes, so the build tree (and the settings the user edited) stays.
build/native/build.ninja:
	sh cmake/ensure-tools.sh run
	cmake --preset native

run: build/native/build.ninja
	cmake --build --preset run
	cd build/native && ./gpiocheck

# Configures and builds the trees named, in that order (native first where
# it is one: the cross trees' tests use its drivers).
define build_trees
	sh cmake/ensure-tools.sh test
	for preset in $(1); do \
	  cmake --preset $$preset -DGPIOCHECK_EVERY_TEST=ON && cmake --build --preset $$preset || exit 1; \
	done
endef

builds:
	$(call build_trees,$(TREES))

test: builds
	@if reason=$$(sh cmake/probe-i386.sh); then \
	  echo "32-bit processes run here: linux-i386 runs natively, win32 under 32-bit Wine"; \
	else \
	  echo "$$reason: linux-i386 runs under qemu-i386-static, and the win32 Wine runs are skipped"; \
	fi
	status=0; for preset in $(TREES); do ctest --preset $$preset || status=1; done; exit $$status

# Zips for Windows users: gpiocheck.exe, GPIOSet.ini, a readme, and the
# simulated TovCore.dll in a folder of its own; both land in build/package
# beside their SHA256SUMS, the folder as it is handed out.
package:
	sh cmake/ensure-tools.sh package
	rm -rf build/package
	mkdir -p build/package
	for preset in $(WINDOWS); do \
	  rm -f build/$$preset/gpiocheck-*.zip; \
	  cmake --preset $$preset && cmake --build --preset $$preset && (cd build/$$preset && cpack -G ZIP) || exit 1; \
	  cp build/$$preset/gpiocheck-*-$$preset.zip build/package/ || exit 1; \
	done
	cd build/package && sha256sum gpiocheck-*.zip >SHA256SUMS && sha256sum -c SHA256SUMS

# Each fuzz target for FUZZ_SECONDS, from the corpus the suite has grown.
fuzz:
	$(call build_trees,fuzz)
	for target in profile text_query; do \
	  build/fuzz/fuzz/$${target}_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    build/fuzz/fuzz/$${target}_fuzz-corpus tests/fuzz/$${target}_seeds || exit 1; \
	done

# Pulse accuracy of the native build and of the Windows programs under Wine
# (win32 only where 32-bit processes run), and the native start-up cost;
# figures, not checks.
bench:
	$(call build_trees,native win64 $$(sh cmake/probe-i386.sh >/dev/null && echo win32))
	build/native/bench/gpiocheck_bench build/native
	@flavours="win64"; sh cmake/probe-i386.sh >/dev/null && flavours="win32 win64"; \
	args=""; for f in $$flavours; do \
	  sh tests/wine.sh $$f build/wineprefix-$$f start || exit 1; \
	  args="$$args $$f build/$$f 'sh tests/wine.sh $$f build/wineprefix-$$f run'"; \
	done; \
	eval build/native/bench/gpiocheck_bench build/native $$args; status=$$?; \
	for f in $$flavours; do sh tests/wine.sh $$f build/wineprefix-$$f stop; done; exit $$status

clean:
	rm -rf build
