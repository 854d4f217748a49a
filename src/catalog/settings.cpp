#include "catalog/settings.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace qk {

const char kSettingsFileName[] = "Quellkiste.ini";
const char kSettingsPathToken[] = "::";

namespace {

// The six keys, in the order they are looked up and written.
enum Key { kUngroupNode, kStdGruppe, kStdAutor, kTreeExpand, kStdTab, kAddPattern, kKeyCount };
const char* const kKeyNames[kKeyCount] = {"opt_ungroupnode", "opt_stdgruppe",  "opt_stdautor",
                                          "opt_treeexpand",  "opt_stdtab",     "opt_addpattern"};

// The value of the first key line of each key; only these are kept, so a
// file of a million key lines costs no more memory than one of six.
struct FoundValues {
  bool found[kKeyCount] = {};
  std::string value[kKeyCount];
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string trimTrailingBlanks(std::string text) {
  while (!text.empty() && isBlank(text.back())) text.pop_back();
  return text;
}

// The key text[begin, end) equals `key`, without regard to the case of A-Z.
bool sameKey(const std::string& text, size_t begin, size_t end, const char* key) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : c; };
  size_t k = begin;
  for (; k < end && *key != '\0'; ++k, ++key) {
    if (lower(text[k]) != lower(*key)) return false;
  }
  return k == end && *key == '\0';
}

bool startsWithUtf8Mark(const std::string& bytes) {
  return bytes.size() > 2 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0;
}

// The first value of each key among the key lines that stand before the
// first section header, reading `text` from `position`. Runs of CR and LF
// separate lines; blanks and tabs at a line's start are skipped; ";" starts a
// comment; a line without "=" is no key line.
FoundValues firstValuesBeforeFirstSection(const std::string& text, size_t position) {
  FoundValues values;
  while (position < text.size()) {
    size_t end = position;
    while (end < text.size() && !isLineBreak(text[end])) ++end;
    size_t start = position;
    while (start < end && isBlank(text[start])) ++start;
    position = end;
    while (position < text.size() && isLineBreak(text[position])) ++position;

    if (start == end || text[start] == ';') continue;
    if (text[start] == '[') break;
    // Searched within the line only: a search to the file's end would make a
    // file of many lines without "=" cost the square of its size.
    const void* found = std::memchr(text.data() + start, '=', end - start);
    if (!found) continue;
    const size_t equals = static_cast<size_t>(static_cast<const char*>(found) - text.data());
    size_t keyEnd = equals;
    while (keyEnd > start && isBlank(text[keyEnd - 1])) --keyEnd;
    for (int key = 0; key < kKeyCount; ++key) {
      if (values.found[key] || !sameKey(text, start, keyEnd, kKeyNames[key])) continue;
      size_t valueStart = equals + 1;
      while (valueStart < end && isBlank(text[valueStart])) ++valueStart;
      values.found[key] = true;
      values.value[key] = text.substr(valueStart, end - valueStart);
    }
  }
  return values;
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

void applyNumber(const FoundValues& values, Key key, int32_t& field) {
  if (values.found[key]) field = atoiValue(values.value[key]);
}

void applyNumber(const FoundValues& values, Key key, int8_t& field) {
  if (values.found[key]) field = lowByte(atoiValue(values.value[key]));
}

void applyText(const FoundValues& values, Key key, bool utf8, std::string& field) {
  if (values.found[key]) field = textValue(values.value[key], utf8);
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
  const FoundValues values = firstValuesBeforeFirstSection(bytes, utf8 ? 3 : 0);
  applyNumber(values, kUngroupNode, options.opt_ungroupnode);
  applyNumber(values, kStdGruppe, options.opt_stdgruppe);
  applyText(values, kStdAutor, utf8, options.opt_stdautor);
  applyNumber(values, kTreeExpand, options.opt_treeexpand);
  applyNumber(values, kStdTab, options.opt_stdtab);
  applyText(values, kAddPattern, utf8, options.opt_addpattern);
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
