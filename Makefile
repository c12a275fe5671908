# Entry points. Both run the set-up script first, which installs what is
# missing, configures and builds in build/.
BUILD := build

.PHONY: all setup build run test test-sanitize bench format clean

all: build

setup:
	./scripts/setup

build: setup

# Opens the window on the demo document exp(Z). Without a display it draws the document
# headlessly into a picture instead, so that it works on any machine.
run: setup
	@if [ -n "$$DISPLAY" ] || [ -n "$$WAYLAND_DISPLAY" ]; then \
	  ./$(BUILD)/src/app/tervane samples/expz.kpl; \
	else \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): drawing samples/expz.kpl into $(BUILD)/expz.png instead of opening the window"; \
	  ./$(BUILD)/src/cli/tervane-cli render samples/expz.kpl -o $(BUILD)/expz.png --size 800x600 --view iso; \
	fi

test: setup
	cd $(BUILD) && ctest --output-on-failure -j2 --timeout 600

# The GL-free tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: setup
	cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERVANE_SANITIZE=ON \
	  -DTERVANE_BUILD_GL=OFF -DTERVANE_BUILD_BENCH=OFF >/dev/null
	cmake --build build-sanitize -j2
	cd build-sanitize && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  ctest --output-on-failure -j2 --timeout 600

bench: setup
	./$(BUILD)/bench/expr_bench
	./$(BUILD)/bench/sampling_bench
	./$(BUILD)/bench/render_bench
	./$(BUILD)/bench/zeros_bench

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize
