#include "glyph_art.h"

#include <array>
#include <string>
#include <string_view>

namespace zedada5 {
namespace {

using qv::TColor;

// A pixel map: one text per row, one character per pixel. '.' is the
// transparent background; a space keeps what an earlier layer drew.
using PixelMap = std::array<std::string_view, kGlyphSize>;

constexpr bool WellFormed(const PixelMap& map) {
  for (std::string_view row : map)
    if (row.size() != static_cast<size_t>(kGlyphSize)) return false;
  return true;
}

// The sixteen colours of the classic palette.
TColor PaletteColor(char code) {
  switch (code) {
    case 'k':
      return qv::clBlack;
    case 'r':
      return qv::clMaroon;
    case 'G':
      return qv::clGreen;
    case 'o':
      return qv::clOlive;
    case 'b':
      return qv::clNavy;
    case 'p':
      return qv::clPurple;
    case 'c':
      return qv::clTeal;
    case 'g':
      return qv::clGray;
    case 's':
      return qv::clSilver;
    case 'R':
      return qv::clRed;
    case 'L':
      return qv::clLime;
    case 'y':
      return qv::clYellow;
    case 'B':
      return qv::clBlue;
    case 'C':
      return qv::clAqua;
    case 'w':
      return qv::clWhite;
    default:
      return kTransparent;
  }
}

// Glyph 4: clear the list.
constexpr PixelMap kClearPage = {
    "................", ".kkkkkkkkkk.....", ".kwwwwwwwwk.....", ".kwggggggwk.....",
    ".kwwwwwwwwk.....", ".kwggggggwk.....", ".kwwwwwwwwk.....", ".kwggggggwk.....",
    ".kwwwwwwwwk.....", ".kwggggggwk.....", ".kwwwwwwwwk.....", ".kwggggggwk.....",
    ".kwwwwwwwwk.....", ".kkkkkkkkkk.....", "................", "................"};
constexpr PixelMap kClearCross = {
    "                ", "                ", "                ", "                ",
    "                ", "                ", "                ", "       RR    RR ",
    "        RR  RR  ", "         RRRR   ", "          RR    ", "         RRRR   ",
    "        RR  RR  ", "       RR    RR ", "                ", "                "};

// Glyph 8: look up (a magnifying glass).
constexpr PixelMap kLookup = {
    "................", "....kkkk........", "..kkCwwCkk......", "..kCwwCCCk......",
    ".kCwwCCCCCk.....", ".kwwCCCCCCk.....", ".kwCCCCCCCk.....", ".kCCCCCCCCk.....",
    "..kCCCCCCk......", "..kkCCCCkkk.....", "....kkkk.kgk....", "..........kgk...",
    "...........kgk..", "............kgk.", ".............kk.", "................"};

// Glyph 9: pick a date (a calendar page with today marked).
constexpr PixelMap kCalendar = {
    "................", ".kkkkkkkkkkkkkk.", ".kRRRRRRRRRRRRk.", ".kRwRRRRRRRRwRk.",
    ".kRRRRRRRRRRRRk.", ".kkkkkkkkkkkkkk.", ".kwwwwwwwwwwwwk.", ".kwgwgwgwgwgwwk.",
    ".kwwwwwwwwwwwwk.", ".kwgwgwBBwgwgwk.", ".kwwwwwBBwwwwwk.", ".kwgwgwgwgwgwwk.",
    ".kwwwwwwwwwwwwk.", ".kwgwgwgwwwwwwk.", ".kkkkkkkkkkkkkk.", "................"};

// Glyph 39: notify users (a person and a letter).
constexpr PixelMap kNotify = {
    "................", "...kkk..........", "..kyyyk.........", "..kyyyk.........",
    "..kyyyk.........", "...kkk..........", ".kkBBBkk........", "kBBBBBBBk.......",
    "kBBBBBBBk.......", "kBBBBBkkkkkkkkk.", "kBBBBBkwkwwwkwk.", "kkkkkkkwwkwkwwk.",
    "......kwwwkwwwk.", "......kwwwwwwwk.", "......kkkkkkkkk.", "................"};

// Glyph 47: delete the chosen rows (a list with a selected row and a minus).
constexpr PixelMap kDeleteRows = {
    "................", ".kkkkkkkkkkkk...", ".kwwwwwwwwwwk...", ".kwggggwggggk...",
    ".kwwwwwwwwwwk...", ".kkkkkkkkkkkk...", ".kbbbbbbbbbbk...", ".kbwwwwbwwwbk...",
    ".kbbbbbbbbbbk...", ".kkkkkkkkkkkk...", ".kwwwwwwwwwwk...", ".kwggggwggggk...",
    ".kwwwwwRRRRRRRR.", ".kkkkkkRwwwwwwR.", ".......RRRRRRRR.", "................"};

// Glyph 81: footers and sign-offs (a page with a signature).
constexpr PixelMap kSignature = {
    "................", "..kkkkkkkk......", "..kwwwwwwkk.....", "..kwggggwkwk....",
    "..kwwwwwwkkkk...", "..kwggggggwwk...", "..kwwwwwwwwwk...", "..kwggggggwwk...",
    "..kwwwwwwwwwk...", "..kwwBwwwBwwk...", "..kwBwBwBwBwk...", "..kBwwwBwwwBk...",
    "..kwggggggggk...", "..kwwwwwwwwwk...", "..kkkkkkkkkkk...", "................"};

// Tiles for the other numbers.
constexpr PixelMap kTile = {
    "................", ".wwwwwwwwwwwwwk.", ".wssssssssssssk.", ".wssssssssssssk.",
    ".wssssssssssssk.", ".wssssssssssssk.", ".wssssssssssssk.", ".wssssssssssssk.",
    ".wssssssssssssk.", ".wssssssssssssk.", ".wssssssssssssk.", ".wssssssssssssk.",
    ".wssssssssssssk.", ".wssssssssssssk.", ".kkkkkkkkkkkkkk.", "................"};

static_assert(WellFormed(kClearPage) && WellFormed(kClearCross) && WellFormed(kLookup) &&
              WellFormed(kCalendar) && WellFormed(kNotify) && WellFormed(kDeleteRows) &&
              WellFormed(kSignature) && WellFormed(kTile));

// Digits three pixels wide and five high, row by row.
constexpr std::array<std::array<std::string_view, 5>, 10> kDigits = {{
    {"###", "#.#", "#.#", "#.#", "###"},
    {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"},
    {"###", "..#", ".##", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"},
    {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"},
    {"###", "..#", "..#", ".#.", ".#."},
    {"###", "#.#", "###", "#.#", "###"},
    {"###", "#.#", "###", "..#", "###"},
}};

struct Picture {
  int Id;
  const PixelMap* Layers[2];
  int ImageCount;
};

constexpr Picture kPictures[] = {
    {4, {&kClearPage, &kClearCross}, 2}, {8, {&kLookup, nullptr}, 1},
    {9, {&kCalendar, nullptr}, 1},       {39, {&kNotify, nullptr}, 1},
    {47, {&kDeleteRows, nullptr}, 1},    {81, {&kSignature, nullptr}, 1},
};

const Picture* FindPicture(int id) {
  for (const Picture& picture : kPictures)
    if (picture.Id == id) return &picture;
  return nullptr;
}

void DrawLayer(qv::TCanvas& canvas, const PixelMap& map, int left) {
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      const char code = map[static_cast<size_t>(y)][static_cast<size_t>(x)];
      if (code != ' ') canvas.SetPixel(left + x, y, PaletteColor(code));
    }
}

void DrawNumber(qv::TCanvas& canvas, int id) {
  DrawLayer(canvas, kTile, 0);
  const std::string digits = std::to_string(id);
  const int width = static_cast<int>(digits.size()) * 4 - 1;
  const int left = (kGlyphSize - width) / 2;
  const int top = 5;
  for (size_t i = 0; i < digits.size(); ++i) {
    const auto& glyph = kDigits[static_cast<size_t>(digits[i] - '0')];
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 3; ++x)
        if (glyph[static_cast<size_t>(y)][static_cast<size_t>(x)] == '#')
          canvas.SetPixel(left + static_cast<int>(i) * 4 + x, top + y, qv::clNavy);
  }
}

bool IsDark(TColor color) {
  const int luminance =
      (qv::GetRValue(color) * 30 + qv::GetGValue(color) * 59 + qv::GetBValue(color) * 11) / 100;
  return luminance < 160;
}

// The disabled look of the first image, drawn beside it: dark pixels become
// a grey shape with a white edge one pixel down and right; light ones vanish.
void DrawDisabledCopy(qv::TCanvas& canvas) {
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      const TColor color = canvas.Pixels(x, y);
      if (color != kTransparent && IsDark(color) && x + 1 < kGlyphSize && y + 1 < kGlyphSize)
        canvas.SetPixel(kGlyphSize + x + 1, y + 1, qv::clWhite);
    }
  for (int y = 0; y < kGlyphSize; ++y)
    for (int x = 0; x < kGlyphSize; ++x) {
      const TColor color = canvas.Pixels(x, y);
      if (color != kTransparent && IsDark(color)) canvas.SetPixel(kGlyphSize + x, y, qv::clGray);
    }
}

}  // namespace

int GlyphImageCount(int id) {
  if (id < 1 || id > kMaxGlyphId) return 0;
  const Picture* picture = FindPicture(id);
  return picture != nullptr ? picture->ImageCount : 1;
}

bool DrawGlyph(qv::TBitmap& bitmap, int id) {
  const int images = GlyphImageCount(id);
  if (images == 0) return false;
  qv::TBitmap glyph;
  glyph.SetPixelFormat(qv::pf4bit);
  glyph.SetSize(kGlyphSize * images, kGlyphSize);
  qv::TCanvas& canvas = *glyph.Canvas();
  canvas.Brush()->SetColor(kTransparent);
  canvas.FillRect(qv::Rect(0, 0, glyph.Width(), glyph.Height()));
  if (const Picture* picture = FindPicture(id)) {
    for (const PixelMap* layer : picture->Layers)
      if (layer != nullptr) DrawLayer(canvas, *layer, 0);
  } else {
    DrawNumber(canvas, id);
  }
  if (images == 2) DrawDisabledCopy(canvas);
  bitmap.Assign(&glyph);
  return true;
}

}  // namespace zedada5
