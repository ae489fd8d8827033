# make run  - builds the program and starts it in the catalogue folder
#             (CATALOGUE=/some/folder to choose it; default ~/ombrev-catalogue)
# make test - builds everything and passes every test, plainly and under
#             AddressSanitizer and UndefinedBehaviorSanitizer
CATALOGUE ?= $(HOME)/ombrev-catalogue
JOBS ?= $(shell nproc)

.PHONY: run test build deps

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B build -G Ninja -DOMBREV_WERROR=ON >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@bash scripts/run.sh "$(CURDIR)/build/ombrev" "$(CATALOGUE)"

test: build
	@cd build && ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B build-sanitize -G Ninja -DOMBREV_WERROR=ON -DOMBREV_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@cd build-sanitize && ctest --output-on-failure -j $(JOBS)
