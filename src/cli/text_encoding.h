#pragma once
// Windows-1252, the program's code page, to and from UTF-8.
#include <string>

namespace qk {

// Every byte becomes its character: 0x80 to 0x9F by the code page's table,
// the five bytes it leaves undefined (81, 8D, 8F, 90, 9D) as the control
// characters of the same number, as Windows converts them.
std::string ansiToUtf8(const std::string& ansi);

// Decodes UTF-8 into the code page. Returns false, leaving `ansi` undefined,
// when the bytes are not well-formed UTF-8 or name a character the code page
// does not have.
bool utf8ToAnsi(const std::string& utf8, std::string& ansi);

}  // namespace qk
