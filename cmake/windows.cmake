# Windows build: the setup program (linked with a payload by scripts/build-setup), the stand-in
# application and uninstaller, and the UI driver of the end-to-end tests.
set(SETUP_ART_DIR "" CACHE PATH "folder with the generated pictures and icon (make-art)")

# Link-time optimisation sizes and inlines the program as a whole (about 12 KB smaller). One
# partition: this compiler stops with an internal error when it splits the program into several.
# Hardening: the stack protector (its runtime, libssp, linked statically), and the image marked
# aware of terminal servers; DEP, ASLR and the relocations ASLR needs are this linker's defaults.
set(win_flags -flto -flto-partition=one -Os -static -static-libgcc -static-libstdc++ -s
              -Wl,--no-insert-timestamp -Wl,--gc-sections -fstack-protector-strong -Wl,--tsaware
              -Wl,--nxcompat -Wl,--dynamicbase)
add_compile_options(-ffunction-sections -fdata-sections -fno-rtti -flto -fstack-protector-strong)

add_library(setup_program STATIC
  setup/setup_session.cpp
  setup/system/com_api.cpp
  setup/system/dde_conversation.cpp
  setup/system/desktop_link.cpp
  setup/system/drives.cpp
  setup/system/file_io.cpp
  setup/system/host_description.cpp
  setup/system/installed_copy.cpp
  setup/system/log_file.cpp
  setup/system/pause_setting.cpp
  setup/system/registry.cpp
  setup/system/resource_store.cpp
  setup/system/running_application_process.cpp
  setup/system/shared_flag.cpp
  setup/system/shell_api.cpp
  setup/system/system_function.cpp
  setup/system/system_registration.cpp
  setup/system/temp_files.cpp
  setup/system/wide.cpp
  setup/system/win_file_system.cpp
  setup/toolkit/app.cpp
  setup/toolkit/controls.cpp
  setup/toolkit/folder_browser.cpp
  setup/toolkit/font.cpp
  setup/toolkit/form.cpp
  setup/toolkit/gdi.cpp
  setup/toolkit/message_dialog.cpp
  setup/toolkit/message_target.cpp
  setup/toolkit/worker_thread.cpp
  setup/backdrop/backdrop_window.cpp
  setup/wizard/wizard_window.cpp
  setup/progress/progress_window.cpp)
target_compile_definitions(setup_program PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
target_link_libraries(setup_program PUBLIC setup_engine uuid gdi32 user32)
# Its function-local statics (bound shell, COM and process-list functions, a window class)
# are all first used on the user-interface thread: no locking is needed around their set-up.
target_compile_options(setup_program PRIVATE -fno-threadsafe-statics)

# The application manifest names the program's architecture: a 64-bit program whose manifest says
# "x86" falls back to the old common controls.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(MANIFEST_ARCHITECTURE amd64)
else()
  set(MANIFEST_ARCHITECTURE x86)
endif()
configure_file(setup/resources/setup.manifest.in ${CMAKE_BINARY_DIR}/manifest/setup.manifest @ONLY)

# The program's own resources as a .res file; the builder puts them and the payload into the
# resource section it adds to the linked program.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/stub.res
  COMMAND ${CMAKE_RC_COMPILER} -O res --codepage=65001 -I ${CMAKE_BINARY_DIR}/manifest
          -I ${CMAKE_SOURCE_DIR}/setup/resources -I ${SETUP_ART_DIR}
          -i ${CMAKE_SOURCE_DIR}/setup/resources/setup.rc -o ${CMAKE_BINARY_DIR}/stub.res
  DEPENDS setup/resources/setup.rc ${CMAKE_BINARY_DIR}/manifest/setup.manifest
          ${SETUP_ART_DIR}/velmora.ico ${SETUP_ART_DIR}/imagtop.bmp ${SETUP_ART_DIR}/imagleft.bmp)
add_custom_target(stub_res ALL DEPENDS ${CMAKE_BINARY_DIR}/stub.res)

# The setup program without resources: scripts/build-setup adds them with the payload.
add_executable(VlmraStub WIN32 setup/main.cpp setup/terminate_handler.cpp)
target_link_libraries(VlmraStub PRIVATE setup_program)
target_link_options(VlmraStub PRIVATE ${win_flags} -municode)

# The same program with the payload format's reading stood in for by one without the inflater,
# for the benchmark's figure of what the inflater adds. Built only when asked for.
add_executable(VlmraStubStoredOnly WIN32 EXCLUDE_FROM_ALL setup/main.cpp setup/terminate_handler.cpp
                                   tools/bench/stored_only_unpack.cpp)
target_link_libraries(VlmraStubStoredOnly PRIVATE setup_program)
target_link_options(VlmraStubStoredOnly PRIVATE ${win_flags} -municode)

add_executable(VLMR WIN32 tools/standin/vlmr.cpp)
add_executable(Uninstall WIN32 tools/standin/uninstall.cpp)
add_executable(uidriver tools/uidriver/uidriver.cpp)
foreach(t VLMR Uninstall uidriver)
  target_compile_definitions(${t} PRIVATE UNICODE _UNICODE)
  target_link_options(${t} PRIVATE ${win_flags} -municode)
endforeach()
target_link_libraries(uidriver PRIVATE comctl32 gdi32 ole32 uuid)

add_executable(confirm_probe WIN32 tests/wine/confirm_probe.cpp)
target_link_libraries(confirm_probe PRIVATE setup_program)
target_link_options(confirm_probe PRIVATE ${win_flags} -municode)

add_executable(hold_file tests/wine/hold_file.cpp)
target_link_options(hold_file PRIVATE ${win_flags} -municode)

add_library(planted_dll SHARED tests/wine/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_link_options(planted_dll PRIVATE -static -static-libgcc -s -fstack-protector-strong)
add_executable(dll_probe tests/wine/dll_probe.cpp)
target_link_options(dll_probe PRIVATE ${win_flags} -municode)

# The benchmark's floors and its observer (scripts/bench).
add_executable(floor_window WIN32 tools/bench/floor_window.cpp)
add_executable(floor_writer tools/bench/floor_writer.cpp)
add_executable(observer tools/bench/observer.cpp)
foreach(t floor_window floor_writer observer)
  target_compile_definitions(${t} PRIVATE UNICODE _UNICODE)
  target_link_options(${t} PRIVATE ${win_flags} -municode)
endforeach()
