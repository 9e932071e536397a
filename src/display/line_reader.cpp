#include "display/line_reader.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace nib {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void AppendUtf8(std::string& out, char32_t c) {
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

// Windows-1252 0x80..0x9F; the five unassigned bytes become U+FFFD.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

void HandleLine(std::string_view raw, const std::function<void(const KeyLine&)>& on_line) {
  std::string line;
  line.reserve(raw.size());
  for (char c : raw)
    if (c != '\0') line += c;
  if (!IsValidUtf8(line)) line = Windows1252ToUtf8(line);
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';') return;
  const auto equals = trimmed.find('=');
  if (equals == std::string_view::npos) return;
  KeyLine key_line;
  key_line.key = std::string(Trim(trimmed.substr(0, equals)));
  for (char& c : key_line.key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  key_line.value = std::string(Trim(trimmed.substr(equals + 1)));
  on_line(key_line);
}

}  // namespace

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t c = 0, lowest = 0;
    if (b < 0x80) {
      ++i;
      continue;
    } else if ((b & 0xE0) == 0xC0) {
      extra = 1, c = b & 0x1F, lowest = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, c = b & 0x0F, lowest = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, c = b & 0x07, lowest = 0x10000;
    } else {
      return false;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(s[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < lowest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b);
  }
  return out;
}

void ForEachKeyLine(std::string_view text, const std::function<void(const KeyLine&)>& on_line) {
  // Editors that save UTF-8 may put a byte-order mark before the first key.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      HandleLine(text.substr(start), on_line);
      return;
    }
    HandleLine(text.substr(start, end - start), on_line);
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
}

std::int16_t LeadingNumber(std::string_view value) {
  std::size_t i = 0;
  auto skip_blanks = [&] {
    while (i < value.size() && IsBlank(value[i])) ++i;
  };
  skip_blanks();
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  std::string digits;
  bool seen_point = false;
  for (; i < value.size(); ++i) {
    const char c = value[i];
    if (IsBlank(c)) continue;
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c == '.' && !seen_point) {
      seen_point = true;
      digits += c;
    } else {
      break;
    }
  }
  if (digits.find_first_of("0123456789") == std::string::npos) return 0;
  if (digits.front() == '.') digits.insert(digits.begin(), '0');
  double number = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (result.ec == std::errc::result_out_of_range) number = 1e300;
  if (negative) number = -number;
  // nearbyint rounds half to even in the default rounding mode.
  number = std::nearbyint(std::clamp(number, -32768.0, 32767.0));
  return static_cast<std::int16_t>(number);
}

}  // namespace nib
