# Fuzz build (clang, -DKELVORN_FUZZ=ON): the portable readers under libFuzzer with
# AddressSanitizer and UBSan. Every fuzz/*_fuzz.cpp is one harness; its seed corpus is
# fuzz/corpus/<harness>. ctest runs each harness briefly on its corpus as a regression
# check; tools/fuzz_long.sh runs them long.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The fuzz build needs clang: CC=clang CXX=clang++")
endif()
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
target_compile_options(kelvorn_flags INTERFACE ${SANITIZE} -fsanitize=fuzzer-no-link)
target_link_options(kelvorn_flags INTERFACE ${SANITIZE})

set(KELVORN_FUZZ_SECONDS 4 CACHE STRING "Seconds each harness runs under ctest")
file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(src ${FUZZ_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE kelvorn_app)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_compile_options(${name} PRIVATE
    -fsanitize-coverage-ignorelist=${CMAKE_SOURCE_DIR}/fuzz/harness_coverage_ignore.txt)
  # New inputs go to the build folder's corpus; the checked-in seeds are only read.
  set(found ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${found})
  add_test(NAME fuzz.${name}
           COMMAND ${name} -max_total_time=${KELVORN_FUZZ_SECONDS} -print_final_stats=1
                   ${found} ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 120)
endforeach()
