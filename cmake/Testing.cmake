# kalmora_add_test(NAME SOURCES file... LIBS target... [LOCK resource])
# One GoogleTest program per tested folder; each test case becomes a CTest test.
# LOCK names what the tests must not share with others running at the same
# time. Tests that start or end pdftk or the PDF printer take the lock
# "pdf-programs": the taskkill command ends every such process of the user.
function(kalmora_add_test name)
  cmake_parse_arguments(ARG "" "LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock kalmora_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(properties TIMEOUT 300)
  if(ARG_LOCK)
    list(APPEND properties RESOURCE_LOCK ${ARG_LOCK})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()
