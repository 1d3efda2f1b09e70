# The front door: `make run` and `make test` are all a fresh machine needs.
.PHONY: run test build clean

build:
	cmake --preset native
	cmake --build --preset native

run: build
	cd build/native && ./gpiocheck

test: build
	ctest --preset native

clean:
	rm -rf build
