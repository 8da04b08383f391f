# Native build: portable code with the memory backend, tests under sanitizers, and the
# ctest entries that run the Windows build's tests under Wine.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(kelvorn_flags INTERFACE ${SANITIZE})
target_link_options(kelvorn_flags INTERFACE ${SANITIZE})

# The memory backend fills lists from the resource script's dialog-init data, as Windows
# does from the compiled resource.
set(DIALOG_INIT_TABLE ${CMAKE_BINARY_DIR}/generated/dialog_init_table.cpp)
add_custom_command(
  OUTPUT ${DIALOG_INIT_TABLE}
  COMMAND python3 ${CMAKE_SOURCE_DIR}/res/make_dialog_init_table.py
          ${CMAKE_SOURCE_DIR}/res/kelvorn_loader.rc ${DIALOG_INIT_TABLE}
  DEPENDS ${CMAKE_SOURCE_DIR}/res/make_dialog_init_table.py ${CMAKE_SOURCE_DIR}/res/kelvorn_loader.rc)
target_sources(kelvorn_ui PRIVATE ${DIALOG_INIT_TABLE})

find_package(GTest REQUIRED)
include(GoogleTest)
# tests/<folder>/ mirrors the source folders and links that folder's library;
# tests/dialogs holds dialog tests for both backends; tests/win32 needs real Windows.
set(TEST_LIBRARY_ui kelvorn_ui)
set(TEST_LIBRARY_sys kelvorn_sys)
set(TEST_LIBRARY_loadercfg kelvorn_loadercfg)
set(TEST_LIBRARY_launch kelvorn_launch)
set(TEST_LIBRARY_editorcfg kelvorn_editorcfg)
set(TEST_LIBRARY_app kelvorn_app)
set(TEST_LIBRARY_dialogs kelvorn_app)
file(GLOB TEST_FOLDERS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/*)
foreach(folder ${TEST_FOLDERS})
  get_filename_component(name ${folder} NAME)
  file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT IS_DIRECTORY ${folder} OR name STREQUAL "win32" OR NOT sources)
    continue()
  endif()
  add_executable(${name}_tests ${sources})
  target_link_libraries(${name}_tests PRIVATE ${TEST_LIBRARY_${name}} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST TEST_PREFIX "${name}."
                       PROPERTIES LABELS native)
endforeach()

# Benchmarks are programs, not tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE kelvorn_app)
endforeach()

# The download's starter kelvorn_loader.ini, written by the program's own writer.
add_executable(starter_ini tools/starter_ini.cpp)
target_link_libraries(starter_ini PRIVATE kelvorn_loadercfg)

# Wine suites: test.sh makes the Windows build in build/windows first.
set(KELVORN_WINDOWS_DIR ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH "Windows build folder")
set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
add_test(NAME wine.start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh start ${WINE_STATE})
add_test(NAME wine.stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh stop ${WINE_STATE})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine LABELS wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)
function(add_wine_test name)
  add_test(NAME ${name} COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh run ${WINE_STATE} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine
                       RESOURCE_LOCK wine TIMEOUT 900)
endfunction()
add_wine_test(wine.win_tests ${KELVORN_WINDOWS_DIR}/win_tests.exe)
# The download, made from these builds, unpacked and started under Wine.
add_test(NAME package.zip
  COMMAND ${CMAKE_SOURCE_DIR}/tools/package_test.sh ${WINE_STATE} ${KELVORN_WINDOWS_DIR}
          ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/package_test)
set_tests_properties(package.zip PROPERTIES FIXTURES_REQUIRED wine LABELS wine
                     RESOURCE_LOCK wine TIMEOUT 300)
add_test(NAME windows.imports
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check_imports.sh ${KELVORN_WINDOWS_DIR}/kelvorn_loader.exe
          ${KELVORN_WINDOWS_DIR}/kelvorn.exe)
set_tests_properties(windows.imports PROPERTIES LABELS windows)
