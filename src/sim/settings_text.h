// Text forms of stored values, and their tolerant reading back: a value that
// does not convert gives nullopt, so the caller keeps what it had.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nib {

std::string BoolText(bool value);     // "True" / "False"
std::string IntText(long long value);  // plain decimal
std::string FloatText(float value);    // shortest decimal that reads back exactly

// Blanks around the value are allowed; anything else that is not the
// number, or a number out of the type's range, does not convert.
std::optional<std::int16_t> ParseInt16(std::string_view text);
std::optional<std::int32_t> ParseInt32(std::string_view text);
// "True"/"False" in any letter case, or a whole number (0 is false).
std::optional<bool> ParseBool(std::string_view text);
// A finite decimal number.
std::optional<float> ParseFloat(std::string_view text);

}  // namespace nib
