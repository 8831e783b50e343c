# Native build: the unit tests, the payload builder and the picture generator.
find_package(GTest REQUIRED)
enable_testing()

add_executable(make-art tools/art/make_art.cpp)

add_library(builder_lib STATIC
  tools/builder/res_file.cpp
  tools/builder/gbk_names.cpp
  tools/builder/payload_plan.cpp)
target_include_directories(builder_lib PUBLIC tools)
target_link_libraries(builder_lib PUBLIC setup_core)
add_executable(setup-builder tools/builder/main.cpp)
target_link_libraries(setup-builder PRIVATE builder_lib)

file(GLOB native_tests CONFIGURE_DEPENDS tests/native/*.cpp)
add_executable(native_tests ${native_tests})
target_link_libraries(native_tests PRIVATE setup_core builder_lib GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(native_tests)
