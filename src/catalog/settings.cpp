#include "catalog/settings.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

namespace qk {

const char kSettingsFileName[] = "Quellkiste.ini";
const char kSettingsPathToken[] = "::";

namespace {

struct KeyLine {
  std::string key;
  std::string value;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string trimTrailingBlanks(std::string text) {
  while (!text.empty() && isBlank(text.back())) text.pop_back();
  return text;
}

bool sameKey(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; };
  for (size_t k = 0; k < a.size(); ++k) {
    if (lower(a[k]) != lower(b[k])) return false;
  }
  return true;
}

bool startsWithUtf8Mark(const std::string& bytes) {
  return bytes.size() > 2 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// The key lines that stand before the first section header, in file order.
// Runs of CR and LF separate lines; blanks and tabs at a line's start are
// skipped; ";" starts a comment; a line without "=" is no key line.
std::vector<KeyLine> keyLinesBeforeFirstSection(const std::string& text) {
  std::vector<KeyLine> lines;
  size_t position = 0;
  while (position < text.size()) {
    size_t end = position;
    while (end < text.size() && !isLineBreak(text[end])) ++end;
    size_t start = position;
    while (start < end && isBlank(text[start])) ++start;
    position = end;
    while (position < text.size() && isLineBreak(text[position])) ++position;

    if (start == end || text[start] == ';') continue;
    if (text[start] == '[') break;
    const size_t equals = text.find('=', start);
    if (equals == std::string::npos || equals >= end) continue;
    size_t valueStart = equals + 1;
    while (valueStart < end && isBlank(text[valueStart])) ++valueStart;
    lines.push_back({trimTrailingBlanks(text.substr(start, equals - start)),
                     text.substr(valueStart, end - valueStart)});
  }
  return lines;
}

const std::string* findValue(const std::vector<KeyLine>& lines, const char* key) {
  for (const KeyLine& line : lines) {
    if (sameKey(line.key, key)) return &line.value;
  }
  return nullptr;
}

// atoi: optional white space, an optional sign, decimal digits up to the
// first other character; no digits give 0. Out-of-range values are held at
// the limits, as the C runtime's atoi does.
int32_t atoiValue(const std::string& text) {
  size_t k = 0;
  while (k < text.size() && (text[k] == ' ' || (text[k] >= '\t' && text[k] <= '\r'))) ++k;
  bool negative = false;
  if (k < text.size() && (text[k] == '+' || text[k] == '-')) negative = text[k++] == '-';
  constexpr int64_t kBeyondRange = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; k < text.size() && text[k] >= '0' && text[k] <= '9'; ++k) {
    magnitude = std::min(magnitude * 10 + (text[k] - '0'), kBeyondRange);
  }
  const int64_t value = negative ? -magnitude : magnitude;
  return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// Keeps the low 8 bits, read as a signed byte.
int8_t lowByte(int32_t value) {
  return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFF));
}

// The smallest code point that needs a sequence of 1, 2, 3 or 4 bytes.
constexpr uint32_t kSmallestCodePoint[5] = {0, 0, 0x80, 0x800, 0x10000};

size_t utf8SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;  // a continuation byte or a byte that never begins a character
}

// Each character becomes the byte of its code point. The value ends before
// the first character above 255 or the first byte that cannot begin a
// character; a character with malformed continuation bytes empties it.
std::string decodeUtf8Value(const std::string& value) {
  std::string decoded;
  size_t k = 0;
  while (k < value.size()) {
    const unsigned char lead = static_cast<unsigned char>(value[k]);
    const size_t length = utf8SequenceLength(lead);
    if (length == 0) break;
    if (k + length > value.size()) return std::string();
    uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t c = 1; c < length; ++c) {
      const unsigned char next = static_cast<unsigned char>(value[k + c]);
      if ((next & 0xC0) != 0x80) return std::string();
      codePoint = (codePoint << 6) | (next & 0x3F);
    }
    if (codePoint < kSmallestCodePoint[length]) return std::string();  // an overlong form
    if (codePoint > 0xFF) break;
    decoded.push_back(static_cast<char>(codePoint));
    k += length;
  }
  return decoded;
}

// A text value: decoded when the file had the UTF-8 mark, then trailing
// blanks and tabs cut. Cutting after decoding matters when decoding stops at
// a character above 255: the blank before it must not survive, or the value
// would change at the next save and load. Texts hold no byte 0, so a byte 0
// ends the value.
std::string textValue(const std::string& value, bool utf8) {
  std::string text = value.substr(0, value.find('\0'));
  return trimTrailingBlanks(utf8 ? decodeUtf8Value(text) : text);
}

void applyNumber(const std::vector<KeyLine>& lines, const char* key, int32_t& field) {
  if (const std::string* value = findValue(lines, key)) field = atoiValue(*value);
}

void applyNumber(const std::vector<KeyLine>& lines, const char* key, int8_t& field) {
  if (const std::string* value = findValue(lines, key)) field = lowByte(atoiValue(*value));
}

void applyText(const std::vector<KeyLine>& lines, const char* key, bool utf8, std::string& field) {
  if (const std::string* value = findValue(lines, key)) field = textValue(*value, utf8);
}

std::string resolvePath(System& system, const std::string& fileName) {
  return fileName == kSettingsPathToken ? settingsFilePath(system) : fileName;
}

}  // namespace

Options defaultOptions(System& system) {
  Options options;
  options.opt_stdautor = system.hostName();
  return options;
}

std::string settingsFilePath(System& system) {
  std::string folder = system.profileFolder();
  if (folder.empty()) return kSettingsFileName;
  if (folder.back() != '\\') folder += '\\';
  return folder + kSettingsFileName;
}

void applySettingsText(const std::string& bytes, Options& options) {
  const bool utf8 = startsWithUtf8Mark(bytes);
  const std::vector<KeyLine> lines = keyLinesBeforeFirstSection(utf8 ? bytes.substr(3) : bytes);
  applyNumber(lines, "opt_ungroupnode", options.opt_ungroupnode);
  applyNumber(lines, "opt_stdgruppe", options.opt_stdgruppe);
  applyText(lines, "opt_stdautor", utf8, options.opt_stdautor);
  applyNumber(lines, "opt_treeexpand", options.opt_treeexpand);
  applyNumber(lines, "opt_stdtab", options.opt_stdtab);
  applyText(lines, "opt_addpattern", utf8, options.opt_addpattern);
}

std::string formatSettingsText(const Options& options) {
  auto line = [](const char* key, const std::string& value) {
    return std::string(key) + " = " + value + "\r\n";
  };
  return line("opt_ungroupnode", std::to_string(options.opt_ungroupnode)) +
         line("opt_stdgruppe", std::to_string(options.opt_stdgruppe)) +
         line("opt_stdautor", options.opt_stdautor) +
         line("opt_treeexpand", std::to_string(options.opt_treeexpand)) +
         line("opt_stdtab", std::to_string(options.opt_stdtab)) +
         line("opt_addpattern", options.opt_addpattern);
}

void loadSettings(System& system, Options& options, const std::string& fileName) {
  std::string bytes;
  if (readWholeFile(system, resolvePath(system, fileName), bytes)) {
    applySettingsText(bytes, options);
  }
}

void saveSettings(System& system, const Options& options, const std::string& fileName) {
  std::unique_ptr<WritableFile> file = system.createFile(resolvePath(system, fileName));
  if (!file) return;
  const std::string text = formatSettingsText(options);
  file->write(text.data(), text.size());
  file->close();
}

}  // namespace qk
