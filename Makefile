# Set-up and everyday commands. `make run` and `make test` work on a fresh Debian 12
# machine: they install what is missing, build, prepare the database and go on.
BUILD    ?= build
GENERATOR ?= Ninja
BIN      := $(BUILD)/bin
DB       := $(BIN)/Db/zef2026.sqlite
JOBS     ?= $(shell nproc)

.PHONY: all deps configure build db run test asan bench package clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G $(GENERATOR)

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

$(DB):
	$(BIN)/zef init

db: build $(DB)

run: db
	$(BIN)/zef2026

test: db
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer. -O1 keeps the
# instrumented suite quick enough for every CI run; -g1 keeps file and line in the reports.
asan: deps
	cmake -S . -B $(BUILD)-asan -G $(GENERATOR) -DZEF_SANITIZE=ON -DZEF_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug \
		"-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
	cmake --build $(BUILD)-asan -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD)-asan --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BIN)/bench_*; do echo "== $$b"; $$b; done

# A Debian package of the installed layout, in $(BUILD)/: install it with apt-get install ./zef2026_*.deb
package: build
	cmake --build $(BUILD) --target package
	@ls $(BUILD)/zef2026_*.deb

clean:
	rm -rf $(BUILD) $(BUILD)-asan
