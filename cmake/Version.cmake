# The product's version is the project's, set in project() of the top
# CMakeLists.txt and nowhere else: the choice window, the library's version
# record, the extension's description and the packages take it from there.
#
# Targets that show it link kalmora_version and get it as compile definitions:
#   KALMORA_VERSION           "1.1.8", as project() has it
#   KALMORA_VERSION_MAJOR     1
#   KALMORA_VERSION_MINOR     1
#   KALMORA_VERSION_REVISION  8
#   KALMORA_VERSION_RECORD    "1.01.0008", as the version record writes it
#   KALMORA_VERSION_NUMBER    "1.1.0.8", the record's number (build 0)
# Leading zeros are refused: the numbers are C++ literals, where they would
# make them octal.
if(NOT PROJECT_VERSION MATCHES "^(0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)\\.(0|[1-9][0-9]*)$")
  message(FATAL_ERROR "The project's version \"${PROJECT_VERSION}\" is not major.minor.revision")
endif()

# `number` with zeros in front up to `width` digits.
function(kalmora_zero_padded number width out)
  set(padded "${number}")
  string(LENGTH "${padded}" length)
  while(length LESS width)
    string(PREPEND padded 0)
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${padded}" PARENT_SCOPE)
endfunction()

kalmora_zero_padded(${PROJECT_VERSION_MINOR} 2 recordMinor)
kalmora_zero_padded(${PROJECT_VERSION_PATCH} 4 recordRevision)
add_library(kalmora_version INTERFACE)
target_compile_definitions(kalmora_version INTERFACE
  KALMORA_VERSION="${PROJECT_VERSION}"
  KALMORA_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  KALMORA_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  KALMORA_VERSION_REVISION=${PROJECT_VERSION_PATCH}
  KALMORA_VERSION_RECORD="${PROJECT_VERSION_MAJOR}.${recordMinor}.${recordRevision}"
  KALMORA_VERSION_NUMBER="${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
