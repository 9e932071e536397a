// The keys of the text and layout files and what each one sets.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "sim/pet.h"

namespace nib {

struct LookTarget;

using TextKeyAction = std::function<void(const LookTarget&, const std::string&)>;
using NumberKeyAction = std::function<void(const LookTarget&, int16)>;

// "default.ini" / "plugin.ini": captions, tooltips and dialog texts.
const std::unordered_map<std::string, TextKeyAction>& TextKeys();
// "default.ini" / "plugin.ini": element positions and stored layout values.
const std::unordered_map<std::string, NumberKeyAction>& NumberKeys();
// "color.ini": the four buttons.
const std::unordered_map<std::string, NumberKeyAction>& ColorKeys();
// "char.ini": the character's positions ("walk" is read as text).
const std::unordered_map<std::string, NumberKeyAction>& CharacterKeys();

}  // namespace nib
