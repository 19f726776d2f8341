#include "forms/base/test_windows.h"

#include "platform/vcl/messages.h"

namespace ravlet::testing {
namespace {

template <typename T>
T* Place(qv::TWinControl* parent, const char* name, int top) {
  T* control = qv::Create<T>(parent);
  control->SetName(name);
  control->SetParent(parent);
  control->SetBounds(8, top, 120, 21);
  return control;
}

}  // namespace

QV_DEFINE_CLASS(TfrmQvBase, TQVForm, r) {}

TfrmQvBase::TfrmQvBase(qv::TComponent* owner) : TQVForm(owner) {
  SetName("frmQvTest");
  SetCaption("基础窗口");
  lblQv = Place<qv::TLabel>(this, "lblQv", 8);
  lblQv->SetCaption("公用");
  lblBase = Place<qv::TLabel>(this, "lblBase", 32);
  lblBase->SetCaption("基础");
  edCode = Place<qv::TEdit>(this, "edCode", 56);
  edCode->SetImeName("Chinese (Simplified) - Microsoft Pinyin");
  btnOk = Place<qv::TButton>(this, "btnOk", 80);
  btnOk->SetCaption("确定");
}

void TfrmQvBase::FormCreate(qv::TObject* sender) {
  TQVForm::FormCreate(sender);
  journal.push_back("own creation step, edCode ImeName \"" + edCode->ImeName() + "\"");
}

void TfrmQvBase::ApplyLanguage(qv::TComponent* target, bool whole_chain) {
  journal.push_back("ApplyLanguage " + target->Name() + (whole_chain ? " chain" : " own"));
  TQVForm::ApplyLanguage(target, whole_chain);
}

QV_DEFINE_CLASS(TfrmQvChild, TfrmQvBase, r) {}

TfrmQvChild::TfrmQvChild(qv::TComponent* owner) : TfrmQvBase(owner) {
  lblChild = Place<qv::TLabel>(this, "lblChild", 104);
  lblChild->SetCaption("派生");
}

std::unique_ptr<qv::TBitmap> GlyphImage(int images) {
  static const char* const kRows[] = {"........", ".DDDDDD.", ".DLLLLD.",
                                      ".DLLLLD.", ".DDDDDD.", "........"};
  auto bitmap = std::make_unique<qv::TBitmap>();
  bitmap->SetSize(8 * images, 6);
  for (int image = 0; image < images; ++image)
    for (int y = 0; y < 6; ++y)
      for (int x = 0; x < 8; ++x) {
        const char c = kRows[y][x];
        const qv::TColor color = c == 'D'   ? qv::RGB(40, 40, 90)
                                 : c == 'L' ? qv::RGB(230, 200, 60)
                                            : qv::RGB(255, 0, 255);
        bitmap->Canvas()->SetPixel(image * 8 + x, y, color);
      }
  return bitmap;
}

QV_DEFINE_CLASS(TfrmGlyphTest, TQVForm, r) {}

TfrmGlyphTest::TfrmGlyphTest(qv::TComponent* owner) : TQVForm(owner) {
  SetName("frmGlyphTest");
  sbOne = Place<qv::TSpeedButton>(this, "sbOne", 8);
  sbOne->SetGlyph(GlyphImage().get());
  sbTwo = Place<qv::TSpeedButton>(this, "sbTwo", 32);
  sbTwo->SetGlyph(GlyphImage(2).get());
  sbTwo->SetNumGlyphs(2);
  sbNone = Place<qv::TSpeedButton>(this, "sbNone", 56);
  bbOne = Place<qv::TBitBtn>(this, "bbOne", 80);
  bbOne->SetGlyph(GlyphImage().get());
  bbKind = Place<qv::TBitBtn>(this, "bbKind", 104);
  bbKind->SetKind(qv::bkOK);
}

QV_DEFINE_CLASS(TfrmControlGlyphTest, TQVForm, r) {}

TfrmControlGlyphTest::TfrmControlGlyphTest(qv::TComponent* owner) : TQVForm(owner) {
  SetName("frmControlGlyphTest");
  SetBounds(0, 0, 400, 300);
  spCode = Place<TSelectPanel>(this, "spCode", 8);
  spCode->SetBounds(8, 8, 300, 120);
  edLookup = Place<TQvBtnDBEdit>(this, "edLookup", 140);
  btnDate = Place<TF2Button>(this, "btnDate", 170);
  btnDate->SetGlyphIndex(9);
}

QV_DEFINE_CLASS(TNotingEdit, qv::TEdit, r) {
  r.Message(qv::WM_LBUTTONUP, &TNotingEdit::WMLButtonUp);
}

void TNotingEdit::WMLButtonUp(qv::TMessage& message) {
  ++ButtonUps;
  Inherited(message);
}

QV_DEFINE_CLASS(TfrmMessageTest, TfrmBaseGene, r) {}

TfrmMessageTest::TfrmMessageTest(qv::TComponent* owner) : TfrmBaseGene(owner) {
  SetName("frmMessageTest");
  SetCaption("报表条件");
  SetBounds(0, 0, 300, 200);
  edCode = Place<TNotingEdit>(this, "edCode", 8);
  edName = Place<TNotingEdit>(this, "edName", 32);
  btnOk = Place<qv::TButton>(this, "btnOk", 56);
  btnOk->SetCaption("确定");
  btnCancel = Place<qv::TButton>(this, "btnCancel", 80);
  btnCancel->SetCaption("取消");
  btnCancel->SetModalResult(qv::mrCancel);
}

bool TfrmMessageTest::InitModule(const qv::Variant&) {
  return true;
}

}  // namespace ravlet::testing
