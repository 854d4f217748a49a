# Turns files into C++ byte arrays, run as a script at build time:
#   cmake -DOUTPUT=out.cpp -DINPUTS="a.png;b.png" -P embed_files.cmake
# Each file name.ext becomes `const unsigned char kNameExt[]` and
# `const std::size_t kNameExtSize` in namespace qk (folder.png: kFolderPng).
set(body "// Generated from the files under res/ at build time; do not edit.\n#include <cstddef>\n\nnamespace qk {\n")
foreach(input IN LISTS INPUTS)
  get_filename_component(base "${input}" NAME_WE)
  get_filename_component(ext "${input}" LAST_EXT)
  string(SUBSTRING "${ext}" 1 -1 ext)
  set(symbol "")
  foreach(part "${base}" "${ext}")
    string(SUBSTRING "${part}" 0 1 first)
    string(SUBSTRING "${part}" 1 -1 rest)
    string(TOUPPER "${first}" first)
    string(APPEND symbol "${first}${rest}")
  endforeach()
  file(READ "${input}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REPEAT "0x..," 16 line)
  string(REGEX REPLACE "(${line})" "\\1\n  " bytes "${bytes}")
  string(APPEND body
    "\nextern const unsigned char k${symbol}[];\n"
    "extern const std::size_t k${symbol}Size;\n"
    "const unsigned char k${symbol}[] = {\n  ${bytes}\n};\n"
    "const std::size_t k${symbol}Size = sizeof(k${symbol});\n")
endforeach()
string(APPEND body "\n}  // namespace qk\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
