#include "display/line_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace nib {
namespace {

std::vector<std::pair<std::string, std::string>> Lines(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> lines;
  ForEachKeyLine(text, [&](const KeyLine& l) { lines.emplace_back(l.key, l.value); });
  return lines;
}

TEST(LineReader, KeysAreTrimmedAndFoldedValuesKeepTheirCase) {
  struct Case {
    const char* text;
    std::vector<std::pair<std::string, std::string>> expected;
  };
  const Case cases[] = {
      {"  Button A  =  Press Me  ", {{"button a", "Press Me"}}},
      {"NIBSCR.LEFT=600", {{"nibscr.left", "600"}}},
      {"; hide = Verstecken", {}},
      {"   ; indented comment = x", {}},
      {"[Section]", {}},
      {"no equals sign here", {}},
      {"", {}},
      {"ok=", {{"ok", ""}}},
      {"a = b = c", {{"a", "b = c"}}},
      {"=value", {{"", "value"}}},
      {"\tkey\t=\tvalue\t", {{"key", "value"}}},
      {"x=1\r\ny=2\rz=3\nw=4", {{"x", "1"}, {"y", "2"}, {"z", "3"}, {"w", "4"}}},
      {"x=1\r\n\r\n\ny=2\r\n", {{"x", "1"}, {"y", "2"}}},
      // A byte-order mark before the first key is not part of it.
      {"\xEF\xBB\xBF" "Caption=Nibbet\r\nx=1", {{"caption", "Nibbet"}, {"x", "1"}}},
      {"\xEF\xBB\xBF" "; note = x\nx=1", {{"x", "1"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.text), c.expected) << c.text;
}

TEST(LineReader, NulBytesAreDroppedAndAnyLengthIsRead) {
  const std::string nul("ke\0y=va\0lue", 11);
  EXPECT_EQ(Lines(nul), (std::vector<std::pair<std::string, std::string>>{{"key", "value"}}));
  const std::string long_value(1 << 20, 'x');
  const auto lines = Lines("k=" + long_value);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].second.size(), long_value.size());
}

TEST(LineReader, TextIsUtf8WhereValidElseWindows1252) {
  EXPECT_EQ(Lines("hide=Verstecken \xc3\xa4")[0].second, "Verstecken \xc3\xa4");
  // "Café" and a euro sign as an older editor saved them.
  EXPECT_EQ(Lines("close=Caf\xe9 \x80")[0].second, "Caf\xc3\xa9 \xe2\x82\xac");
  EXPECT_EQ(Lines("a=\x81")[0].second, "\xef\xbf\xbd");
  // Overlong forms and lone surrogates are not UTF-8.
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xe2\x82"));
  EXPECT_TRUE(IsValidUtf8("\xf0\x9f\x90\xa3"));
}

TEST(LineReader, NumbersAreTheLeadingDecimalRoundedHalfToEven) {
  struct Case {
    const char* value;
    std::int16_t expected;
  };
  const Case cases[] = {
      {"600", 600},    {"-45", -45},       {"12.5", 12},       {"13.5", 14},
      {"-2.5", -2},    {"0.5", 0},         {"1.5", 2},         {"12.49", 12},
      {"abc", 0},      {"x12", 0},         {"12abc", 12},      {"1 2 3", 123},
      {"- 1 2", -12},  {"  7  ", 7},       {".5", 0},          {"1.", 1},
      {"+8", 8},       {"1.2.3", 1},       {"40000", 32767},   {"-40000", -32768},
      {"99999999999999999999999999", 32767}, {"32767.4", 32767}, {"-", 0},
      {".", 0},        {"1e3", 1},  // no exponents
  };
  for (const Case& c : cases) EXPECT_EQ(LeadingNumber(c.value), c.expected) << c.value;
}

}  // namespace
}  // namespace nib
