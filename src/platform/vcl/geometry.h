#pragma once
// Points and rectangles in pixels; a rectangle's right and bottom edges lie
// just outside it, as in the original framework.

#include <algorithm>

namespace qv {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

constexpr TPoint Point(int x, int y) {
  return {x, y};
}
constexpr TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

inline TRect InflateRect(TRect r, int dx, int dy) {
  return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}
inline TRect OffsetRect(TRect r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}
// The common part of two rectangles; empty (all zero) when they do not meet.
inline TRect IntersectRect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  return r.IsEmpty() ? TRect{} : r;
}

}  // namespace qv
