# Test runners that need a display: each test runs under its own Xvfb (xvfb-run), one at a
# time, with a QApplication made by QtTestMain.cpp (which also points QSettings at a
# temporary folder).
find_package(Qt6 REQUIRED COMPONENTS Test Widgets)

function(tervane_display_test name)
  add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/dialogs/QtTestMain.cpp ${ARGN})
  target_link_libraries(${name} PRIVATE GTest::gtest Qt6::Test Qt6::Widgets)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  tervane_target_defaults(${name})
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR "xvfb-run;-a;-s;-screen 0 1280x1024x24")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120
    PROPERTIES LABELS display RESOURCE_LOCK xvfb ENVIRONMENT "QT_QPA_PLATFORM=xcb")
endfunction()
