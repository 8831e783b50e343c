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
  tools/builder/payload_plan.cpp)
target_include_directories(builder_lib PUBLIC tools)
target_link_libraries(builder_lib PUBLIC setup_core)
add_executable(setup-builder tools/builder/main.cpp)
target_link_libraries(setup-builder PRIVATE builder_lib)

file(GLOB native_tests CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${native_tests})
target_link_libraries(native_tests PRIVATE setup_engine builder_lib GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(native_tests)

add_executable(make-sample-payload tools/sample/make_sample_payload.cpp)
target_link_libraries(make-sample-payload PRIVATE builder_lib)

# End-to-end tests: the real setup under wine on a virtual display, code page 936. They need what
# scripts/test builds first: the Windows parts and the setup made from the sample payload.
find_program(WINE_PROGRAM wine)
option(SETUP_WINE_TESTS "run the end-to-end tests under wine" ON)
if(SETUP_WINE_TESTS AND WINE_PROGRAM)
  get_filename_component(build_root ${CMAKE_BINARY_DIR} DIRECTORY)
  set(e2e_env
    DISPLAY=:97
    WINEPREFIX=${build_root}/wine-prefix
    SETUP_SOURCE=${CMAKE_SOURCE_DIR}
    SETUP_BUILD_DIR=${build_root}
    SETUP_EXE=${build_root}/sample-setup/VlmraSetup.exe
    SAMPLE_PAYLOAD=${build_root}/sample-payload
    UIDRIVER=${build_root}/cross/uidriver.exe
    CONFIRM_PROBE=${build_root}/cross/confirm_probe.exe
    HOLD_FILE=${build_root}/cross/hold_file.exe
    PLANTED_DLL=${build_root}/cross/planted.dll
    DLL_PROBE=${build_root}/cross/dll_probe.exe)
  add_test(NAME wine.environment.up COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/env.sh up)
  add_test(NAME wine.environment.down COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/env.sh down)
  set_tests_properties(wine.environment.up PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${e2e_env}")
  set_tests_properties(wine.environment.down PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${e2e_env}")
  foreach(name startup second_instance temp_write_error other_code_page confirm_dialog builder installation install_failures cancel wizard earlier_installation finish registration running_application planted_dll hardening faults_disk faults_input faults_kill_load)
    add_test(NAME wine.${name} COMMAND bash ${CMAKE_SOURCE_DIR}/tests/wine/${name}.sh)
    set_tests_properties(wine.${name} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL ON TIMEOUT 300
                         ENVIRONMENT "${e2e_env}")
  endforeach()
endif()

add_executable(make-bench-payload tools/bench/make_bench_payload.cpp)
target_link_libraries(make-bench-payload PRIVATE builder_lib)
