# Native build: portable code with the memory backend, tests under sanitizers, and the
# ctest entries that run the Windows build's tests under Wine.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)

file(GLOB NATIVE_BACKEND CONFIGURE_DEPENDS ui/memory/*.cpp sys/posix/*.cpp)
add_library(kelvorn_core STATIC ${CORE_SOURCES} ${NATIVE_BACKEND})
target_include_directories(kelvorn_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(kelvorn_core PUBLIC ${SANITIZE})
target_link_options(kelvorn_core PUBLIC ${SANITIZE})

find_package(GTest REQUIRED)
# tests/<folder>/ mirrors the source folders; tests/win32 needs real Windows.
file(GLOB NATIVE_TESTS CONFIGURE_DEPENDS tests/*/*.cpp)
list(FILTER NATIVE_TESTS EXCLUDE REGEX "/tests/win32/")
add_executable(native_tests ${NATIVE_TESTS})
target_link_libraries(native_tests PRIVATE kelvorn_core GTest::gtest GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(native_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native)

# Benchmarks are programs, not tests.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS bench/*.cpp)
foreach(src ${BENCH_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE kelvorn_core)
endforeach()

# Wine suites: the Windows build is made by test.sh into build/windows.
set(KELVORN_WINDOWS_DIR ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH "Windows build folder")
set(WINE_STATE ${CMAKE_BINARY_DIR}/wine)
add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh start ${WINE_STATE})
add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh stop ${WINE_STATE})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine LABELS wine)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine LABELS wine)
function(add_wine_test name)
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/wine_env.sh run ${WINE_STATE} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine LABELS wine
    RESOURCE_LOCK wine TIMEOUT 600)
endfunction()
add_wine_test(wine_win_tests ${KELVORN_WINDOWS_DIR}/win_tests.exe)
add_test(NAME windows_imports
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check_imports.sh ${KELVORN_WINDOWS_DIR}/kelvorn_loader.exe
          ${KELVORN_WINDOWS_DIR}/kelvorn.exe)
set_tests_properties(windows_imports PROPERTIES LABELS windows)
