# kalmora_add_test(NAME SOURCES file... LIBS target... [LABEL label] [TIMEOUT seconds] [SERIAL])
# One GoogleTest program per tested folder; each test case becomes a CTest test.
# Tests run side by side: each makes a world of its own, and the programs it
# starts (the PDF printer, pdftk, the office) belong to that world.
# LABEL "load" marks the long runs (ctest -LE load leaves them out), "office"
# the runs with real Word and Excel documents. SERIAL tests run with no
# other test beside them (they change the machine for everyone).
function(kalmora_add_test name)
  cmake_parse_arguments(ARG "SERIAL" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kalmora_test_main GTest::gmock kalmora_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(properties TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABEL)
    list(APPEND properties LABELS ${ARG_LABEL})
  endif()
  if(ARG_SERIAL)
    list(APPEND properties RUN_SERIAL TRUE)
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
