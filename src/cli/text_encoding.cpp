#include "cli/text_encoding.h"

#include <cstdint>

namespace qk {

namespace {

// The characters of the bytes 0x80 to 0x9F.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t characterOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool byteOf(char32_t c, char& byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) {
      byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

// Decodes one character at `position`, moving it on. False for a malformed
// sequence: a bad lead or continuation byte, an overlong form, a surrogate or
// a value above U+10FFFF.
bool decodeUtf8(const std::string& text, size_t& position, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[position]);
  int continuation = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    c = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    c = lead & 0x1F, continuation = 1, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    c = lead & 0x0F, continuation = 2, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    c = lead & 0x07, continuation = 3, smallest = 0x10000;
  } else {
    return false;
  }
  ++position;
  for (int i = 0; i < continuation; ++i, ++position) {
    if (position >= text.size()) return false;
    const auto next = static_cast<unsigned char>(text[position]);
    if ((next & 0xC0) != 0x80) return false;
    c = (c << 6) | (next & 0x3F);
  }
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  return true;
}

}  // namespace

std::string ansiToUtf8(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char byte : ansi) appendUtf8(out, characterOf(static_cast<unsigned char>(byte)));
  return out;
}

bool utf8ToAnsi(const std::string& utf8, std::string& ansi) {
  ansi.clear();
  ansi.reserve(utf8.size());
  size_t position = 0;
  while (position < utf8.size()) {
    char32_t c = 0;
    char byte = 0;
    if (!decodeUtf8(utf8, position, c) || !byteOf(c, byte)) return false;
    ansi += byte;
  }
  return true;
}

}  // namespace qk
