# Windows build: the program, the stand-in editor and the tests that need Windows.
enable_language(RC)
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
target_compile_definitions(kelvorn_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

target_link_libraries(kelvorn_flags INTERFACE comctl32 comdlg32 shell32 ole32 gdi32 user32 advapi32 uxtheme)
target_link_options(kelvorn_flags INTERFACE ${STATIC_RUNTIME})
# GCC 12 reports -Wrestrict inside libstdc++'s own string code at -O2 (GCC bug 105329).
target_compile_options(kelvorn_flags INTERFACE -Wno-restrict)

# Icons are drawn by a script of ours at build time.
set(ICON_DIR ${CMAKE_BINARY_DIR}/icons)
add_custom_command(
  OUTPUT ${ICON_DIR}/app.ico ${ICON_DIR}/map.ico
  COMMAND python3 ${CMAKE_SOURCE_DIR}/res/make_icons.py ${ICON_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/make_icons.py)
add_custom_target(icons DEPENDS ${ICON_DIR}/app.ico ${ICON_DIR}/map.ico)
# The manifest carries the version too: made from its template like version.h.
configure_file(res/kelvorn_loader.manifest.in ${CMAKE_BINARY_DIR}/generated/kelvorn_loader.manifest
               @ONLY)
set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/res/kelvorn_loader.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_BINARY_DIR}/generated/version.h;${ICON_DIR}/app.ico;${ICON_DIR}/map.ico;${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_BINARY_DIR}/generated/kelvorn_loader.manifest")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${ICON_DIR} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR} -I${CMAKE_BINARY_DIR}/generated")

add_executable(kelvorn_loader WIN32 app/win32/main.cpp ${RESOURCE_SCRIPT})
target_link_libraries(kelvorn_loader PRIVATE kelvorn_app)
# Entry point wWinMain; no link time in the header, so that the download is reproducible.
target_link_options(kelvorn_loader PRIVATE -municode -Wl,--no-insert-timestamp)
add_dependencies(kelvorn_loader icons)

# Shows one dialog template of the resources, to look at layouts under Wine.
add_executable(dialog_preview WIN32 tools/dialog_preview.cpp ${RESOURCE_SCRIPT})
target_link_libraries(dialog_preview PRIVATE kelvorn_flags)
target_link_options(dialog_preview PRIVATE -municode)
add_dependencies(dialog_preview icons)

# Walks the program's windows and saves a picture of each (tools/screenshots.sh).
add_executable(screenshot_tour tools/screenshot_tour.cpp ${RESOURCE_SCRIPT})
target_link_libraries(screenshot_tour PRIVATE kelvorn_app)
target_link_options(screenshot_tour PRIVATE -municode)
add_dependencies(screenshot_tour icons)

file(GLOB STANDIN_SOURCES CONFIGURE_DEPENDS standin/*.cpp)
add_executable(kelvorn ${STANDIN_SOURCES})
target_link_options(kelvorn PRIVATE ${STATIC_RUNTIME})

# GoogleTest from Debian's sources, built once for this toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Dialog and file tests run here on the win32 backend, plus the tests only Windows can run.
file(GLOB WIN_TESTS CONFIGURE_DEPENDS tests/dialogs/*.cpp tests/sys/*.cpp tests/win32/*.cpp)
add_executable(win_tests ${WIN_TESTS} ${RESOURCE_SCRIPT})
target_link_libraries(win_tests PRIVATE kelvorn_app gtest gtest_main)
# A DLL the tests plant where no DLL may be taken from.
add_library(planted MODULE tests/win32/planted_dll.c)
set_target_properties(planted PROPERTIES PREFIX "")
target_link_options(planted PRIVATE -static-libgcc)
# The tests start the stand-in editor and the program itself beside them.
add_dependencies(win_tests icons kelvorn kelvorn_loader planted)

# Capture speed of a run against the command processor's redirection (a program, not a test).
add_executable(capture_bench bench/capture_bench/main.cpp)
target_link_libraries(capture_bench PRIVATE kelvorn_launch psapi)

# How fast the main window comes up with 100 maps against a large table (a program, not a test).
add_executable(startup_bench bench/startup_bench/main.cpp)
target_link_libraries(startup_bench PRIVATE kelvorn_loadercfg)
add_dependencies(startup_bench kelvorn_loader)

# Handles and memory over 1,000 runs of the stand-in editor (a program, not a test).
add_executable(runs_bench bench/runs_bench/main.cpp)
target_link_libraries(runs_bench PRIVATE kelvorn_launch psapi)
add_dependencies(runs_bench kelvorn)
