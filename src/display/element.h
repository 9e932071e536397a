// A screen element: one named picture on the main window, positioned in
// twips. Every change that alters what is on screen is reported to a damage
// list, so the window repaints only what changed.
#pragma once

#include <string>
#include <vector>

#include "sim/platform.h"

namespace nib {

inline constexpr float kTwipsPerPixel = 15.0f;

struct TwipRect {
  float left = 0, top = 0, width = 0, height = 0;
  bool Empty() const { return width <= 0 || height <= 0; }
};

// Rectangles of the window that need repainting, in twips.
class DamageList {
 public:
  void Add(const TwipRect& r) {
    if (!r.Empty()) rects_.push_back(r);
  }
  bool Empty() const { return rects_.empty(); }
  const std::vector<TwipRect>& Rects() const { return rects_; }
  void Clear() { rects_.clear(); }

 private:
  std::vector<TwipRect> rects_;
};

enum class MousePointer { Default = 0, Arrow = 1, Custom = 99 };

class Element {
 public:
  Element(DamageList* damage, std::string name, int index = -1)
      : damage_(damage), name_(std::move(name)), index_(index) {}
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;
  Element(Element&&) = default;

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }

  float Left() const { return left_; }
  float Top() const { return top_; }
  float Width() const { return width_; }
  float Height() const { return height_; }
  bool Visible() const { return visible_; }
  const Picture& GetPicture() const { return picture_; }
  TwipRect Bounds() const { return {left_, top_, width_, height_}; }
  // Whether the point (twips) lies on the element's rectangle.
  bool Contains(float x, float y) const;

  void SetLeft(float left) { Move(left, top_); }
  void SetTop(float top) { Move(left_, top); }
  void Move(float left, float top);
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // The element takes the picture's size; pictures are never stretched.
  // A null picture empties the element.
  void SetPicture(const Picture& picture);
  // Shares the other element's picture; no file is touched.
  void CopyPictureFrom(const Element& other) { SetPicture(other.picture_); }
  // Narrowing clips the picture (the flush sweep narrows the darkness).
  void SetWidth(float width);

  std::string ToolTipText;
  MousePointer Pointer = MousePointer::Default;
  Cursor MouseIcon;

 private:
  void Damage() {
    if (visible_) damage_->Add(Bounds());
  }

  DamageList* damage_;
  std::string name_;
  int index_;
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = false;
  Picture picture_;
};

// A control array: elements indexed from 0.
class ElementArray {
 public:
  ElementArray(DamageList* damage, const std::string& name, int count);
  Element& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
  const Element& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
  int Count() const { return static_cast<int>(items_.size()); }
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }

 private:
  std::vector<Element> items_;
};

}  // namespace nib
