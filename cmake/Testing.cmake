# kalmora_add_test(NAME SOURCES file... LIBS target... [LOCK resource] [LABEL label]
#                  [TIMEOUT seconds])
# One GoogleTest program per tested folder; each test case becomes a CTest test.
# LOCK names what the tests must not share with others running at the same
# time. Tests that start or end pdftk or the PDF printer take the lock
# "pdf-programs": the taskkill command ends every such process of the user.
# LABEL "load" marks the long runs (ctest -LE load leaves them out).
function(kalmora_add_test name)
  cmake_parse_arguments(ARG "" "LOCK;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock kalmora_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set(properties TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  if(ARG_LABEL)
    list(APPEND properties LABELS ${ARG_LABEL})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
