#include "language/lang_test_window.h"

#include "language/component_read.h"
#include "platform/text/string_utils.h"

namespace ravlet::testing {

QV_DEFINE_CLASS(TLangColumn, qv::TPersistent, r) {
  r.Property("Caption", &TLangColumn::Caption, &TLangColumn::SetCaption);
  r.Property("Width", &TLangColumn::Width, &TLangColumn::SetWidth);
}

QV_DEFINE_CLASS(TLangPanel, qv::TCollectionItem, r) {
  r.Property("Text", &TLangPanel::Text, &TLangPanel::SetText);
}

QV_DEFINE_CLASS(TLangPanels, qv::TCollection, r) {}

std::unique_ptr<qv::TCollectionItem> TLangPanels::NewItem() {
  return std::make_unique<TLangPanel>();
}

QV_DEFINE_CLASS(TLangBar, qv::TComponent, r) {
  r.Property("Panels", &TLangBar::Panels);
}

TLangBar::TLangBar(qv::TComponent* owner)
    : qv::TComponent(owner), panels_(std::make_unique<TLangPanels>(this, "Panels")) {
  panels_->Add();
  panels_->Add();
}

QV_DEFINE_CLASS(TLangGrid, qv::TComponent, r) {
  r.Property("Caption", &TLangGrid::Caption, &TLangGrid::SetCaption);
  r.Property("Items", &TLangGrid::Items, &TLangGrid::SetItems);
  r.Property("ItemIndex", &TLangGrid::ItemIndex, &TLangGrid::SetItemIndex);
  r.Property("Font", &TLangGrid::Font, &TLangGrid::SetFont);
}

TLangGrid::TLangGrid(qv::TComponent* owner)
    : qv::TComponent(owner),
      items_(std::make_unique<qv::TStringList>()),
      font_(std::make_unique<qv::TFont>()) {}

TLangColumn* TLangGrid::AddColumn(const std::string& caption) {
  columns_.push_back(std::make_unique<TLangColumn>());
  columns_.back()->SetCaption(caption);
  return columns_.back().get();
}

void RegisterLangGridKind() {
  TIndexedKind kind;
  kind.Step = [](qv::TObject& target, std::string_view name, int index, qv::TObject*& next) {
    auto& grid = static_cast<TLangGrid&>(target);
    if (!qv::SameText(name, "Columns")) return TIndexStep::kNotThisKind;
    if (index >= grid.ColumnCount()) return TIndexStep::kUnchanged;
    next = grid.Column(index);
    return TIndexStep::kStepped;
  };
  RegisterIndexedKind("TLangGrid", std::move(kind));
}

QV_DEFINE_CLASS(TfrmLangTest, qv::TForm, r) {}

TfrmLangTest::TfrmLangTest(qv::TComponent* owner) : qv::TForm(owner) {
  SetName("frmLangTest");
  SetCaption("语言测试");
  lblTitle = qv::Create<qv::TLabel>(this);
  lblTitle->SetName("lblTitle");
  lblTitle->SetParent(this);
  lblTitle->SetCaption("标题");
  edCode = qv::Create<qv::TEdit>(this);
  edCode->SetName("edCode");
  edCode->SetParent(this);
  grdList = qv::Create<TLangGrid>(this);
  grdList->SetName("grdList");
  for (const char* caption : {"编号", "名称", "数量"}) grdList->AddColumn(caption);
  grdList->Items()->Add("一");
  grdList->Items()->Add("二");
  grdList->SetItemIndex(1);
  pnMain = qv::Create<qv::TPanel>(this);
  pnMain->SetName("pnMain");
  pnMain->SetParent(this);
  lblInner = qv::Create<qv::TLabel>(pnMain);
  lblInner->SetName("lblInner");
  lblInner->SetParent(pnMain);
  lblInner->SetCaption("内部");
  barStatus = qv::Create<TLangBar>(this);
  barStatus->SetName("barStatus");
}

}  // namespace ravlet::testing
