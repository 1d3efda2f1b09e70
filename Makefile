# The front door: `make run` and `make test` are all a fresh machine needs.
WINDOWS := win32 win32-stdcall

.PHONY: run test package native windows clean

native:
	sh cmake/ensure-tools.sh native
	cmake --preset native
	cmake --build --preset native

run: native
	cd build/native && ./gpiocheck

# The Windows programs are tested from the native side, so native comes first.
windows: native
	sh cmake/ensure-tools.sh all
	for preset in $(WINDOWS); do cmake --preset $$preset && cmake --build --preset $$preset || exit 1; done

test: windows
	ctest --preset native
	for preset in $(WINDOWS); do ctest --preset $$preset || exit 1; done

# A zip for Windows users: gpiocheck.exe, GPIOSet.ini, a readme, and the
# simulated TovCore.dll in a folder of its own.
package: windows
	cd build/win32 && cpack -G ZIP

clean:
	rm -rf build
