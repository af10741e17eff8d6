# make        build build/Zorvane.exe, the 32-bit program
# make test   build and run every test under Wine
# make run    build and start Zorvane on a demo ROM folder
# make bench  measure the program against the platform's own floors
# make dist   the release zip of Zorvane.exe and Zorvane.txt, with its SHA256SUMS
#
# test, run and bench use the build this host can run (ZORVANE_ARCH=win32 or
# win64 chooses): see scripts/host.sh.

.PHONY: all test run bench dist clean

all:
	@bash -c 'source scripts/host.sh && prepare Zorvane'

test:
	@bash scripts/test.sh

run:
	@bash scripts/run.sh

bench:
	@bash scripts/bench.sh

dist:
	@bash scripts/dist.sh

clean:
	rm -rf build
