#include <gtest/gtest.h>

#include "platform/vcl/bitmap.h"
#include "platform/vcl/image.h"
#include "platform/vcl/image_list.h"

namespace qv::test {
namespace {

std::unique_ptr<TBitmap> MakeBitmap(int width, int height, TColor fill) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(width, height);
  bitmap->Canvas()->Brush()->SetColor(fill);
  bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
  return bitmap;
}

TEST(Canvas, RasterOperationsFollowTheirTruthTables) {
  struct Case {
    uint32_t rop;
    TColor p, s, d, expected;
  };
  const Case cases[] = {
      {cmSrcCopy, 0x111111, 0x123456, 0xABCDEF, 0x123456},
      {cmSrcAnd, 0, 0x00FF0F, 0x0F0FFF, 0x000F0F},
      {cmSrcPaint, 0, 0x00FF00, 0x0F000F, 0x0FFF0F},
      {cmSrcInvert, 0, 0xFFFFFF, 0x123456, 0xEDCBA9},
      {cmPatCopy, 0x445566, 0, 0x123456, 0x445566},
      {cmBlackness, 0x445566, 0x445566, 0x445566, 0},
      {ROP_DSPDxax, 0xC0C0C0, 0xFFFFFF, 0x123456, 0xC0C0C0},
      {ROP_DSPDxax, 0xC0C0C0, 0x000000, 0x123456, 0x123456},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rop);
    EXPECT_EQ(ApplyRop(c.rop, c.p, c.s, c.d), c.expected);
  }
}

TEST(Canvas, AStencilPaintsTheBrushWhereItIsBlack) {
  auto mask = MakeBitmap(3, 1, clWhite);
  mask->Canvas()->SetPixel(1, 0, clBlack);
  mask->SetMonochrome(true);
  auto target = MakeBitmap(4, 2, clBtnFace);
  target->Canvas()->Brush()->SetColor(clBtnHighlight);
  target->Canvas()->SetCopyMode(ROP_DSPDxax);
  target->Canvas()->Draw(1, 1, mask.get());
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), face);
  EXPECT_EQ(target->Canvas()->Pixels(2, 1), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(target->Canvas()->Pixels(3, 1), face);
  EXPECT_EQ(target->Canvas()->Pixels(2, 0), face);

  // A plain copy keeps a monochrome bitmap's black and white.
  target->Canvas()->SetCopyMode(cmSrcCopy);
  target->Canvas()->Draw(0, 0, mask.get());
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), clWhite);
  EXPECT_EQ(target->Canvas()->Pixels(1, 0), clBlack);
}

TEST(Bitmap, MonochromeKeepsTheBrushColourWhiteAndAllElseBlack) {
  auto bitmap = MakeBitmap(3, 1, clOlive);
  bitmap->Canvas()->SetPixel(0, 0, clBlack);
  bitmap->Canvas()->SetPixel(2, 0, RGB(200, 200, 0));
  bitmap->Canvas()->Brush()->SetColor(clOlive);
  bitmap->SetPixelFormat(pf1bit);
  EXPECT_TRUE(bitmap->Monochrome());
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clBlack);
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), clWhite);
  EXPECT_EQ(bitmap->Canvas()->Pixels(2, 0), clBlack);
  // Colours drawn on it afterwards become black or white by their lightness.
  bitmap->Canvas()->SetPixel(1, 0, clNavy);
  bitmap->Canvas()->SetPixel(2, 0, clYellow);
  EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), clBlack);
  EXPECT_EQ(bitmap->Canvas()->Pixels(2, 0), clWhite);
}

TEST(Bitmap, TransparentColourIsLeftOutWhenDrawn) {
  auto glyph = MakeBitmap(2, 2, clFuchsia);
  glyph->Canvas()->SetPixel(0, 0, clRed);
  glyph->SetTransparent(true);
  EXPECT_EQ(glyph->TransparentColor(), clFuchsia);
  auto target = MakeBitmap(2, 2, clWhite);
  target->Canvas()->Draw(0, 0, glyph.get());
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), clWhite);
  glyph->SetTransparentColor(clRed);
  EXPECT_EQ(glyph->TransparentMode(), tmFixed);
  target->Canvas()->Draw(0, 0, glyph.get());
  EXPECT_EQ(target->Canvas()->Pixels(0, 0), clRed);
  EXPECT_EQ(target->Canvas()->Pixels(1, 1), clFuchsia);
}

TEST(Bitmap, FilesRoundTripAndBrokenFilesAreRefused) {
  auto colour = MakeBitmap(5, 3, clTeal);
  colour->Canvas()->SetPixel(4, 0, RGB(1, 2, 3));
  TBitmap back;
  back.LoadFromBytes(colour->SaveToBytes());
  EXPECT_EQ(back.Width(), 5);
  EXPECT_EQ(back.Height(), 3);
  EXPECT_EQ(back.Canvas()->Pixels(4, 0), RGB(1, 2, 3));
  EXPECT_EQ(back.Canvas()->Pixels(0, 2), clTeal);

  auto mono = MakeBitmap(9, 2, clWhite);
  mono->Canvas()->SetPixel(8, 1, clBlack);
  mono->SetMonochrome(true);
  back.LoadFromBytes(mono->SaveToBytes());
  EXPECT_TRUE(back.Monochrome());
  EXPECT_EQ(back.Canvas()->Pixels(8, 1), clBlack);
  EXPECT_EQ(back.Canvas()->Pixels(7, 1), clWhite);

  const std::string good = colour->SaveToBytes();
  auto patched = [&](size_t at, char value) {
    std::string bytes = good;
    bytes[at] = value;
    return bytes;
  };
  const std::string broken[] = {
      "",
      good.substr(0, 30),
      patched(0, 'X'),
      patched(28, 7),                   // bit count
      patched(21, 0x7F),                // width far too large
      good.substr(0, good.size() - 1),  // pixel data cut short
      patched(30, 1),                   // compressed
  };
  for (const std::string& bytes : broken) EXPECT_THROW(back.LoadFromBytes(bytes), EInvalidGraphic);
  EXPECT_TRUE(back.Monochrome());
  EXPECT_THROW(back.LoadFromFile("/nonexistent/none.bmp"), EFOpenError);
  EXPECT_THROW(back.SetSize(20000, 20000), EInvalidGraphic);
  EXPECT_EQ(back.Width(), 9);
}

TEST(Canvas, TextFollowsTheFixedMetricAndIsRecorded) {
  TCanvas canvas;
  struct Case {
    const char* text;
    int width;
  };
  const Case widths[] = {{"W", 6},         {"Data1", 30}, {"起", 13},
                         {"区间选择", 52}, {"A起", 19},   {"", 0}};
  for (const Case& c : widths) EXPECT_EQ(canvas.TextWidth(c.text), c.width) << c.text;
  EXPECT_EQ(canvas.TextHeight("x"), 13);
  canvas.Font()->SetHeight(-12);
  EXPECT_EQ(canvas.TextWidth("起a"), 18);

  TRect rect = Rect(10, 0, 110, 20);
  canvas.Brush()->SetStyle(bsClear);
  canvas.DrawText("&Ok && go", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ASSERT_EQ(canvas.TextLog().size(), 1u);
  const TCanvasText& out = canvas.TextLog()[0];
  EXPECT_EQ(out.Text, "Ok & go");
  EXPECT_EQ(out.Accelerator, U'O');
  EXPECT_EQ(out.X, 10 + (100 - 42) / 2);
  EXPECT_EQ(out.Y, (20 - 12) / 2);
  TRect calc = Rect(5, 5, 5, 5);
  EXPECT_EQ(canvas.DrawText("ab\ncd", calc, DT_CALCRECT), 24);
  EXPECT_EQ(calc, Rect(5, 5, 17, 29));
  EXPECT_EQ(canvas.TextLog().size(), 1u);
}

TEST(ImageList, StripsAreCutIntoImagesWithTheirMasks) {
  TComponentPtr<TImageList> list = CreateUnowned<TImageList>();
  auto strip = MakeBitmap(32, 16, clFuchsia);
  strip->Canvas()->SetPixel(3, 3, clRed);
  strip->Canvas()->SetPixel(20, 5, clBlue);
  EXPECT_EQ(list->AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list->Count(), 2);
  EXPECT_TRUE(list->IsTransparent(0, 0, 0));
  EXPECT_FALSE(list->IsTransparent(1, 4, 5));

  auto target = MakeBitmap(16, 16, clWhite);
  list->Draw(target->Canvas(), 0, 0, 1);
  EXPECT_EQ(target->Canvas()->Pixels(4, 5), clBlue);
  EXPECT_EQ(target->Canvas()->Pixels(3, 3), clWhite);
  list->Draw(target->Canvas(), 0, 0, 0, false);
  EXPECT_EQ(target->Canvas()->Pixels(3, 3), ColorToRGB(clBtnShadow));
  EXPECT_THROW(list->Draw(target->Canvas(), 0, 0, 2), EInvalidOperation);
  list->SetWidth(8);
  EXPECT_EQ(list->Count(), 0);
}

TEST(Image, PaintsItsPictureWhenUpdated) {
  TComponentPtr<TImage> image = CreateUnowned<TImage>();
  image->SetBounds(0, 0, 10, 10);
  image->SetCenter(true);
  auto picture = MakeBitmap(2, 2, clRed);
  image->Picture()->SetBitmap(picture.get());
  image->Update();
  EXPECT_EQ(image->Canvas()->Pixels(4, 4), clRed);
  EXPECT_EQ(image->Canvas()->Pixels(3, 4), ColorToRGB(image->Color()));
  image->SetAutoSize(true);
  EXPECT_EQ(image->Width(), 2);
}

}  // namespace
}  // namespace qv::test
