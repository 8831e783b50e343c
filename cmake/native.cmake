# Native build: the unit tests, the payload builder and the picture generator.
find_package(GTest REQUIRED)
enable_testing()

add_executable(make-art tools/art/make_art.cpp)

add_library(builder_lib STATIC
  tools/builder/bytes.cpp
  tools/builder/res_file.cpp
  tools/builder/resource_section.cpp
  tools/builder/pe_image.cpp
  tools/builder/gbk_names.cpp
  tools/builder/payload_plan.cpp
  tools/builder/image_reader.cpp
  tools/builder/windows_names.cpp
  setup/core/pack_resource.cpp)
target_include_directories(builder_lib PUBLIC tools)
target_link_libraries(builder_lib PUBLIC setup_core)
add_executable(setup-builder tools/builder/main.cpp)
target_link_libraries(setup-builder PRIVATE builder_lib)
add_executable(inspect-setup tools/builder/inspect_main.cpp)
target_link_libraries(inspect-setup PRIVATE builder_lib)

file(GLOB native_tests CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${native_tests})
target_link_libraries(native_tests PRIVATE setup_engine builder_lib GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(native_tests)

add_executable(make-sample-payload tools/sample/make_sample_payload.cpp)
target_link_libraries(make-sample-payload PRIVATE builder_lib)

# The shipped setup's static properties, on every host (no wine): the PE32 built from the sample.
get_filename_component(build_root ${CMAKE_BINARY_DIR} DIRECTORY)
add_test(NAME image.setup_properties COMMAND bash ${CMAKE_SOURCE_DIR}/tests/image/setup_properties.sh)
set_tests_properties(image.setup_properties PROPERTIES ENVIRONMENT
  "SETUP_EXE=${build_root}/sample-setup/VlmraSetup.exe;SAMPLE_PAYLOAD=${build_root}/sample-payload;INSPECT=${CMAKE_BINARY_DIR}/inspect-setup")

# The layers of setup/ as its includes show them.
add_test(NAME layout.include_rules COMMAND bash ${CMAKE_SOURCE_DIR}/tests/layout/include_rules.sh)

# The README's maker command as the first command in a fresh clone: it builds what it needs.
add_test(NAME readme.build_setup_in_fresh_clone COMMAND bash ${CMAKE_SOURCE_DIR}/tests/readme/fresh_clone.sh)
set_tests_properties(readme.build_setup_in_fresh_clone PROPERTIES TIMEOUT 1200 ENVIRONMENT
  "SETUP_SOURCE=${CMAKE_SOURCE_DIR};SETUP_EXE=${build_root}/sample-setup/VlmraSetup.exe;SAMPLE_PAYLOAD=${build_root}/sample-payload")

# End-to-end tests: the real setup under wine on a virtual display, code page 936. They need what
# scripts/test builds first: the Windows parts and the setup made from the sample payload, for the
# architecture that runs under wine on this host (i686: PE32 under wine32; x86_64: PE32+ under
# wine64, where the host cannot execute 32-bit programs).
set(SETUP_WINE_ARCH i686 CACHE STRING "the build the end-to-end tests run under wine: i686 or x86_64")
if(SETUP_WINE_ARCH STREQUAL "x86_64")
  set(arch_suffix -x86_64)
else()
  set(arch_suffix "")
endif()
# The virtual display the end-to-end tests draw on; a second checkout's tests take another one.
set(SETUP_TEST_DISPLAY :97 CACHE STRING "the X display of the end-to-end tests")
set(SETUP_PE32_DISPLAY :95 CACHE STRING "the X display of the shipped PE32's end-to-end test")
find_program(WINE_PROGRAM wine)
option(SETUP_WINE_TESTS "run the end-to-end tests under wine" ON)
if(SETUP_WINE_TESTS AND WINE_PROGRAM)
  set(cross ${build_root}/cross${arch_suffix})
  set(e2e_env
    DISPLAY=${SETUP_TEST_DISPLAY}
    SETUP_WINE_ARCH=${SETUP_WINE_ARCH}
    WINEPREFIX=${build_root}/wine-prefix
    SETUP_SOURCE=${CMAKE_SOURCE_DIR}
    SETUP_BUILD_DIR=${build_root}
    SETUP_EXE=${build_root}/sample-setup${arch_suffix}/VlmraSetup.exe
    SAMPLE_PAYLOAD=${build_root}/sample-payload${arch_suffix}
    UIDRIVER=${cross}/uidriver.exe
    CONFIRM_PROBE=${cross}/confirm_probe.exe
    HOLD_FILE=${cross}/hold_file.exe
    PLANTED_DLL=${cross}/planted.dll
    DLL_PROBE=${cross}/dll_probe.exe)
  add_test(NAME wine.environment.up COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/env.sh up)
  add_test(NAME wine.environment.down COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/env.sh down)
  set_tests_properties(wine.environment.up PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${e2e_env}")
  set_tests_properties(wine.environment.down PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${e2e_env}")
  foreach(name startup second_instance temp_write_error other_code_page confirm_dialog builder installation install_failures cancel wizard earlier_installation finish registration running_application temp_left_overs planted_dll planted_folder hardening real_use compressed faults_disk faults_input faults_kill_load unattended deployment progress_window)
    add_test(NAME wine.${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/${name}.sh)
    set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL ON TIMEOUT 300
                         ENVIRONMENT "${e2e_env}")
  endforeach()
  # The shipped PE32 itself, natively under wine32 or emulated (qemu-i386) where the host cannot
  # execute 32-bit code: its own prefix, display and server; slow under emulation, so it runs once.
  option(SETUP_PE32_TEST "run the shipped PE32 end to end (emulated where the host cannot run it)" ON)
  if(SETUP_PE32_TEST)
    add_test(NAME wine.pe32_emulated COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/pe32_emulated.sh)
    set_tests_properties(wine.pe32_emulated PROPERTIES RUN_SERIAL ON TIMEOUT 1500 ENVIRONMENT
      "SETUP_SOURCE=${CMAKE_SOURCE_DIR};SETUP_BUILD_DIR=${build_root};PE32_SETUP_EXE=${build_root}/sample-setup/VlmraSetup.exe;PE32_PAYLOAD=${build_root}/sample-payload;PE32_DISPLAY=${SETUP_PE32_DISPLAY}")
  endif()
endif()

add_executable(make-bench-payload tools/bench/make_bench_payload.cpp)
target_link_libraries(make-bench-payload PRIVATE builder_lib)
