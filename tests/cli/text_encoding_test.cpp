#include "cli/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qk {
namespace {

struct EncodingCase {
  std::string ansi;
  std::string utf8;
};

TEST(TextEncoding, ConvertsEveryKindOfByteBothWays) {
  const std::vector<EncodingCase> cases = {
      {"", ""},
      {"plain ASCII\r\n", "plain ASCII\r\n"},
      {"M\xFCller", "M\xC3\xBCller"},
      {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F"},
      {"\x80", "\xE2\x82\xAC"},                                              // euro sign
      {"\x9F", "\xC5\xB8"},                                                  // Y with diaeresis
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},  // undefined bytes
      {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
  };
  for (const EncodingCase& c : cases) {
    EXPECT_EQ(ansiToUtf8(c.ansi), c.utf8) << c.ansi;
    std::string back;
    EXPECT_TRUE(utf8ToAnsi(c.utf8, back)) << c.utf8;
    EXPECT_EQ(back, c.ansi) << c.utf8;
  }
}

TEST(TextEncoding, RejectsMalformedUtf8AndForeignCharacters) {
  const std::vector<std::string> rejected = {
      "\xC3",              // cut short
      "\xC3\x28",          // bad continuation
      "\xC0\xBC",          // overlong
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // above U+10FFFF
      "\xFF",              // no lead byte
      "\xC2\x80",          // U+0080: a control the code page has no byte for
      "\xE6\x97\xA5",      // a CJK character
  };
  for (const std::string& utf8 : rejected) {
    std::string ansi;
    EXPECT_FALSE(utf8ToAnsi(utf8, ansi)) << utf8;
  }
}

}  // namespace
}  // namespace qk
