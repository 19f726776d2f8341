#include "forms/base/disabled_glyph.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/vcl/colors.h"

namespace ravlet {
namespace {

using Rows = std::vector<std::string>;

// Builds a bitmap from rows of palette letters; the bottom-left pixel gives
// the transparent colour.
std::unique_ptr<qv::TBitmap> Draw(const Rows& rows, const std::map<char, qv::TColor>& palette) {
  auto bitmap = std::make_unique<qv::TBitmap>();
  bitmap->SetSize(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      bitmap->Canvas()->SetPixel(static_cast<int>(x), static_cast<int>(y), palette.at(rows[y][x]));
  return bitmap;
}

// The pixels as letters: S button shadow, H button highlight, F button face.
Rows Read(const qv::TBitmap& bitmap, int left, int width) {
  const std::map<qv::TColor, char> letters = {{qv::ColorToRGB(qv::clBtnShadow), 'S'},
                                              {qv::ColorToRGB(qv::clBtnHighlight), 'H'},
                                              {qv::ColorToRGB(qv::clBtnFace), 'F'}};
  Rows rows;
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::string row;
    for (int x = left; x < left + width; ++x) {
      auto found = letters.find(bitmap.Canvas()->Pixels(x, y));
      row += found == letters.end() ? '?' : found->second;
    }
    rows.push_back(row);
  }
  return rows;
}

constexpr qv::TColor kMagenta = qv::RGB(255, 0, 255);
constexpr qv::TColor kLight = qv::RGB(200, 200, 0);  // sum 400: not dark
constexpr qv::TColor kDark = qv::RGB(10, 10, 10);

// Marked pixels are drawn in the shadow colour; one pixel down and right of
// a mark, where nothing is marked, the highlight shows.
TEST(DisabledGlyphTest, MarksDarkPixelsAndOutlinesAndEmbossesThem) {
  struct Case {
    const char* name;
    Rows glyph;
    std::map<char, qv::TColor> palette;
    Rows expected;
  } const cases[] = {
      {"light pixels mark only beside the transparent colour",
       {"......", ".LLLL.", ".LLLL.", ".LLDL.", ".LLLL.", "......"},
       {{'.', kMagenta}, {'L', kLight}, {'D', kDark}},
       {"FFFFFF", "FSSSSF", "FSHHSH", "FSHSSH", "FSSSSH", "FFHHHH"}},
      // Beyond the edge the nearest pixel repeats: the edge itself is no outline.
      {"edges repeat the nearest row and column",
       {"LLL", ".LL"},
       {{'.', kMagenta}, {'L', kLight}},
       {"SFF", "FSF"}},
      // A black transparent colour must not swallow the marks.
      {"black transparent colour",
       {"...", ".G.", "..."},
       {{'.', qv::clBlack}, {'G', qv::RGB(50, 50, 50)}},
       {"FFF", "FSF", "FFH"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto glyph = Draw(c.glyph, c.palette);
    std::unique_ptr<qv::TBitmap> disabled = MakeDisabledGlyph(*glyph);
    EXPECT_EQ(glyph->PixelFormat(), qv::pf24bit);
    ASSERT_EQ(disabled->Width(), glyph->Width());
    ASSERT_EQ(disabled->Height(), glyph->Height());
    EXPECT_EQ(Read(*disabled, 0, disabled->Width()), c.expected);
  }
}

TEST(DisabledGlyphTest, AddDisabledGlyphPutsTheDisabledImageBesideTheGlyph) {
  const Rows rows = {"....", ".LD.", ".DL.", "...."};
  const std::map<char, qv::TColor> palette = {{'.', kMagenta}, {'L', kLight}, {'D', kDark}};
  auto glyph = Draw(rows, palette);
  auto expected_disabled = MakeDisabledGlyph(*Draw(rows, palette));

  AddDisabledGlyph(*glyph);
  ASSERT_EQ(glyph->Width(), 8);
  ASSERT_EQ(glyph->Height(), 4);
  EXPECT_EQ(glyph->TransparentColor(), kMagenta);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      SCOPED_TRACE(testing::Message() << "x=" << x << " y=" << y);
      EXPECT_EQ(glyph->Canvas()->Pixels(x, y), palette.at(rows[y][x]));
      EXPECT_EQ(glyph->Canvas()->Pixels(x + 4, y), expected_disabled->Canvas()->Pixels(x, y));
    }
  }
}

TEST(DisabledGlyphTest, AnEmptyGlyphStaysEmpty) {
  qv::TBitmap glyph;
  EXPECT_TRUE(MakeDisabledGlyph(glyph)->Empty());
  AddDisabledGlyph(glyph);
  EXPECT_TRUE(glyph.Empty());
}

}  // namespace
}  // namespace ravlet
