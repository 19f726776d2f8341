#include "controls/glyph_library.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "controls/check_box_glyphs.h"
#include "platform/core/exception.h"

namespace ravlet {
namespace {

std::vector<qv::TColor> PixelsOf(const qv::TBitmap& bitmap) {
  return bitmap.Buffer().Pixels;
}

// Pixels of one image that are not its transparent colour.
int DrawnPixels(const qv::TBitmap& bitmap, int image) {
  const int size = bitmap.Height();
  const qv::TColor transparent = bitmap.Buffer().Get(0, size - 1);
  int drawn = 0;
  for (int y = 0; y < size; ++y)
    for (int x = image * size; x < (image + 1) * size; ++x)
      if (bitmap.Buffer().Get(x, y) != transparent) ++drawn;
  return drawn;
}

TEST(GlyphLibraryTest, HoldsAGlyphForEveryNumberUpToItsMaximum) {
  TGlyphResourceLibrary library;
  const int max_id = library.GetMaxBmpID();
  ASSERT_GE(max_id, 81);
  std::set<std::vector<qv::TColor>> distinct;
  for (int id = 1; id <= max_id; ++id) {
    SCOPED_TRACE(id);
    qv::TBitmap bitmap;
    ASSERT_TRUE(library.LoadBmp(&bitmap, id));
    ASSERT_GT(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Width() % bitmap.Height(), 0);
    EXPECT_GT(DrawnPixels(bitmap, 0), 0);
    distinct.insert(PixelsOf(bitmap));
  }
  EXPECT_EQ(static_cast<int>(distinct.size()), max_id);
}

TEST(GlyphLibraryTest, TheClearListGlyphHasADisabledImageBesideTheNormalOne) {
  TGlyphResourceLibrary library;
  struct Case {
    int id;
    int images;
  };
  for (const Case& c :
       {Case{4, 2}, Case{8, 1}, Case{9, 1}, Case{39, 1}, Case{47, 1}, Case{81, 1}}) {
    SCOPED_TRACE(c.id);
    qv::TBitmap bitmap;
    ASSERT_TRUE(library.LoadBmp(&bitmap, c.id));
    EXPECT_EQ(bitmap.Width() / bitmap.Height(), c.images);
  }
  qv::TBitmap clear;
  library.LoadBmp(&clear, 4);
  // The disabled image is drawn in greys and white only, and not empty.
  EXPECT_GT(DrawnPixels(clear, 1), 0);
  const qv::TColor transparent = clear.Buffer().Get(0, clear.Height() - 1);
  for (int y = 0; y < clear.Height(); ++y)
    for (int x = clear.Height(); x < clear.Width(); ++x) {
      const qv::TColor c = clear.Buffer().Get(x, y);
      EXPECT_TRUE(c == transparent || c == qv::clGray || c == qv::clWhite) << x << "," << y;
    }
}

TEST(GlyphLibraryTest, NumbersOutOfRangeAndMissingBitmapsLoadNothing) {
  TGlyphResourceLibrary library;
  qv::TBitmap bitmap;
  ASSERT_TRUE(library.LoadBmp(&bitmap, 8));
  const std::vector<qv::TColor> before = PixelsOf(bitmap);
  for (int id : {0, -1, library.GetMaxBmpID() + 1, 200}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(library.LoadBmp(&bitmap, id));
    EXPECT_EQ(PixelsOf(bitmap), before);
  }
  EXPECT_FALSE(library.LoadBmp(nullptr, 8));
}

TEST(GlyphLibraryTest, AMissingLibraryIsReportedByName) {
  TGlyphResourceLibrary library("NoSuchGlyphs.dll");
  qv::TBitmap bitmap;
  try {
    library.GetMaxBmpID();
    FAIL() << "no error";
  } catch (const qv::Exception& e) {
    EXPECT_EQ(e.Message(), "Load Library NoSuchGlyphs.dll Error!");
  }
  EXPECT_THROW(library.LoadBmp(&bitmap, 8), qv::Exception);
}

TEST(CheckGlyphTest, BuiltInImagesAreSmallSixteenColourBoxes) {
  qv::TBitmap unchecked;
  qv::TBitmap checked;
  qv::TBitmap grayed;
  ASSERT_TRUE(LoadCheckGlyph(unchecked, CheckGlyphName(qv::cbUnchecked)));
  ASSERT_TRUE(LoadCheckGlyph(checked, CheckGlyphName(qv::cbChecked)));
  ASSERT_TRUE(LoadCheckGlyph(grayed, CheckGlyphName(qv::cbGrayed)));
  for (const qv::TBitmap* b : {&unchecked, &checked, &grayed}) {
    EXPECT_EQ(b->Width(), 19);
    EXPECT_EQ(b->Height(), 14);
    EXPECT_EQ(b->PixelFormat(), qv::pf4bit);
  }
  // Each state looks different; all share the transparent corner.
  EXPECT_NE(PixelsOf(unchecked), PixelsOf(checked));
  EXPECT_NE(PixelsOf(checked), PixelsOf(grayed));
  EXPECT_EQ(unchecked.Buffer().Get(0, 13), checked.Buffer().Get(0, 13));

  qv::TBitmap other;
  EXPECT_FALSE(LoadCheckGlyph(other, "TICKED"));
  EXPECT_TRUE(other.Empty());
}

}  // namespace
}  // namespace ravlet
