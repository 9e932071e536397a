#include "sim/settings_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace nib {
namespace {

TEST(SettingsText, WritesTheStoredForms) {
  EXPECT_EQ(BoolText(true), "True");
  EXPECT_EQ(BoolText(false), "False");
  EXPECT_EQ(IntText(-32768), "-32768");
  EXPECT_EQ(FloatText(7245.0f), "7245");
  EXPECT_EQ(FloatText(-112.5f), "-112.5");
}

TEST(SettingsText, FloatsReadBackExactly) {
  for (float v : {0.0f, 1.0f / 3.0f, 28800.0f, -15.0f, 123456.789f, 1e-7f, 3.4e38f}) {
    const auto back = ParseFloat(FloatText(v));
    ASSERT_TRUE(back.has_value()) << FloatText(v);
    EXPECT_EQ(*back, v);
  }
}

TEST(SettingsText, IntegersConvertOnlyWhenWholeAndInRange) {
  struct Case {
    const char* text;
    std::optional<std::int16_t> expected;
  };
  const Case cases[] = {
      {"0", 0},          {"480", 480},        {" 12 ", 12},        {"+7", 7},
      {"-32768", -32768}, {"32767", 32767},   {"32768", std::nullopt},
      {"-32769", std::nullopt}, {"", std::nullopt}, {"12abc", std::nullopt},
      {"1.5", std::nullopt}, {"True", std::nullopt}, {"--1", std::nullopt},
      {"\x01\xff", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseInt16(c.text), c.expected) << c.text;
  EXPECT_EQ(ParseInt32("2147483647"), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ParseInt32("2147483648"), std::nullopt);
}

TEST(SettingsText, BooleansAcceptWordsAndNumbers) {
  struct Case {
    const char* text;
    std::optional<bool> expected;
  };
  const Case cases[] = {{"True", true},   {"FALSE", false}, {" true ", true}, {"0", false},
                        {"-1", true},     {"yes", std::nullopt}, {"", std::nullopt},
                        {"Truex", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseBool(c.text), c.expected) << c.text;
}

TEST(SettingsText, FloatsRejectWhatIsNotAFiniteNumber) {
  for (const char* text : {"", "abc", "nan", "inf", "-inf", "1e999", "12,5", "1.0.0"})
    EXPECT_EQ(ParseFloat(text), std::nullopt) << text;
  EXPECT_EQ(ParseFloat(" -30.5 "), -30.5f);
}

}  // namespace
}  // namespace nib
