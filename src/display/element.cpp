#include "display/element.h"

namespace nib {

bool Element::Contains(float x, float y) const {
  return x >= left_ && y >= top_ && x < left_ + width_ && y < top_ + height_;
}

void Element::Move(float left, float top) {
  if (left == left_ && top == top_) return;
  Damage();
  left_ = left;
  top_ = top;
  Damage();
}

void Element::SetVisible(bool visible) {
  if (visible == visible_) return;
  // Damage is recorded while visible, before hiding and after showing.
  Damage();
  visible_ = visible;
  Damage();
}

void Element::SetPicture(const Picture& picture) {
  const float w = picture ? picture->width_px * kTwipsPerPixel : 0.0f;
  const float h = picture ? picture->height_px * kTwipsPerPixel : 0.0f;
  if (picture == picture_ && w == width_ && h == height_) return;
  Damage();
  picture_ = picture;
  width_ = w;
  height_ = h;
  Damage();
}

void Element::SetWidth(float width) {
  if (width < 0) width = 0;
  if (width == width_) return;
  Damage();
  width_ = width;
  Damage();
}

ElementArray::ElementArray(DamageList* damage, const std::string& name, int count) {
  items_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) items_.emplace_back(damage, name, i);
}

}  // namespace nib
