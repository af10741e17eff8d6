# make        build build/Zorvane.exe
# make test   build and run every test under Wine
# make run    build and start Zorvane on a demo ROM folder
# make bench  measure the program against the platform's own floors

BUILD := build
CMAKE_FLAGS := -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
	-DZORVANE_TESTS=ON

.PHONY: all setup configure test run bench clean

all: configure
	cmake --build $(BUILD) --target Zorvane -j2

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

test: configure
	cmake --build $(BUILD) -j2
	bash scripts/test.sh

run: configure
	cmake --build $(BUILD) --target Zorvane o2em_standin tour -j2
	bash scripts/run.sh

bench: configure
	cmake --build $(BUILD) --target zorvane_bench -j2
	bash scripts/bench.sh

clean:
	rm -rf $(BUILD)
