#include "controls/check_box_glyphs.h"

#include <array>

namespace ravlet {
namespace {

constexpr qv::TColor kTransparent = qv::clOlive;

// The sunken box: 'g' shadow, 'k' dark shadow, 's' light, 'w' highlight,
// 'i' the inside, '.' transparent.
constexpr std::array<std::string_view, kCheckGlyphHeight> kBox = {
    ".ggggggggggggw.....", ".gkkkkkkkkkksw.....", ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....",
    ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....",
    ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....", ".gkiiiiiiiiisw.....", ".gsssssssssssw.....",
    ".wwwwwwwwwwwww.....", "..................."};

// The check mark inside the box, from its top-left inner pixel.
constexpr int kInsideLeft = 3;
constexpr int kInsideTop = 2;
constexpr std::array<std::string_view, 9> kMark = {".........", ".......#.", "......##.",
                                                   ".#...###.", ".##.###..", ".#####...",
                                                   "..###....", "...#.....", "........."};

constexpr bool WellFormed() {
  for (std::string_view row : kBox)
    if (row.size() != static_cast<size_t>(kCheckGlyphWidth)) return false;
  for (std::string_view row : kMark)
    if (row.size() != 9) return false;
  return true;
}
static_assert(WellFormed());

void Draw(qv::TBitmap& bitmap, qv::TColor inside, qv::TColor mark, bool with_mark) {
  qv::TBitmap glyph;
  glyph.SetPixelFormat(qv::pf4bit);
  glyph.SetSize(kCheckGlyphWidth, kCheckGlyphHeight);
  qv::TCanvas& canvas = *glyph.Canvas();
  for (int y = 0; y < kCheckGlyphHeight; ++y)
    for (int x = 0; x < kCheckGlyphWidth; ++x) {
      qv::TColor color = kTransparent;
      switch (kBox[static_cast<size_t>(y)][static_cast<size_t>(x)]) {
        case 'g':
          color = qv::clGray;
          break;
        case 'k':
          color = qv::clBlack;
          break;
        case 's':
          color = qv::clSilver;
          break;
        case 'w':
          color = qv::clWhite;
          break;
        case 'i':
          color = inside;
          break;
        default:
          break;
      }
      canvas.SetPixel(x, y, color);
    }
  if (with_mark) {
    for (int y = 0; y < static_cast<int>(kMark.size()); ++y)
      for (int x = 0; x < 9; ++x)
        if (kMark[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#')
          canvas.SetPixel(kInsideLeft + x, kInsideTop + y, mark);
  }
  bitmap.Assign(&glyph);
}

}  // namespace

std::string_view CheckGlyphName(qv::TCheckBoxState state) {
  switch (state) {
    case qv::cbChecked:
      return "CHECKED";
    case qv::cbGrayed:
      return "GRAYED";
    default:
      return "UNCHECKED";
  }
}

bool LoadCheckGlyph(qv::TBitmap& bitmap, std::string_view name) {
  if (name == "CHECKED") {
    Draw(bitmap, qv::clWhite, qv::clBlack, true);
  } else if (name == "UNCHECKED") {
    Draw(bitmap, qv::clWhite, qv::clBlack, false);
  } else if (name == "GRAYED") {
    Draw(bitmap, qv::clSilver, qv::clGray, true);
  } else {
    return false;
  }
  return true;
}

}  // namespace ravlet
