# Writes files into a C++ source as byte arrays, one function a file:
#   std::span<const std::uint8_t> Pictures::embedded::<name>()
# <name> is the file name as a C identifier ("Picture1.ico": Picture1_ico).
# Run as: cmake -DOUTPUT=<source> "-DFILES=<file>|<file>..." -P Embed.cmake
# ("|" separates the files: a ";" would split the argument on its way here).
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" files "${FILES}")
set(code "// Made by Embed.cmake from the files in src/ui/pictures; do not edit.\n")
string(APPEND code "#include \"src/ui/pictures/EmbeddedFiles.h\"\n\nnamespace Pictures::embedded {\n")
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  string(MAKE_C_IDENTIFIER "${name}" name)
  file(READ "${file}" hex HEX)
  if(hex STREQUAL "")
    message(FATAL_ERROR "${file} is empty or missing: run make-pictures again")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 row)
  string(REGEX REPLACE "(${row})" "\\1\n" bytes "${bytes}")
  string(APPEND code "\nnamespace {\nconstexpr std::uint8_t ${name}Bytes[] = {\n${bytes}};\n}  // namespace\n")
  string(APPEND code "\nstd::span<const std::uint8_t> ${name}() {\n    return ${name}Bytes;\n}\n")
endforeach()
string(APPEND code "\n}  // namespace Pictures::embedded\n")
file(WRITE "${OUTPUT}" "${code}")
