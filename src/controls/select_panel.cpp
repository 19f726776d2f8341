#include "controls/select_panel.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <vector>

#include "controls/open_lookup.h"
#include "controls/range_order.h"
#include "platform/text/string_utils.h"

namespace ravlet {

namespace {

constexpr int kButtonSize = 23;
constexpr int kEditHeight = 24;

// Sets a flag for as long as it lives.
class FlagGuard {
 public:
  explicit FlagGuard(bool& flag) : flag_(flag), saved_(flag) { flag_ = true; }
  ~FlagGuard() { flag_ = saved_; }
  FlagGuard(const FlagGuard&) = delete;
  FlagGuard& operator=(const FlagGuard&) = delete;

 private:
  bool& flag_;
  bool saved_;
};

void EnableInside(qv::TWinControl* parent, bool enabled) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    qv::TControl* control = parent->Controls(i);
    control->SetEnabled(enabled);
    if (auto* windowed = dynamic_cast<qv::TWinControl*>(control)) EnableInside(windowed, enabled);
  }
}

void PlaceAt(qv::TControl* control, int left, int top) {
  control->SetBounds(left, top, control->Width(), control->Height());
}

int RightOf(const qv::TControl* control) {
  return control->Left() + control->Width();
}

}  // namespace

QV_DEFINE_CLASS(TSelectPanel, qv::TCustomGroupBox, r) {
  r.Property("Align", &TSelectPanel::Align, &TSelectPanel::SetAlign);
  r.Property("Caption", &TSelectPanel::Caption, &TSelectPanel::SetCaption);
  r.Property("Color", &TSelectPanel::Color, &TSelectPanel::SetColor, "TColor");
  r.Property("Ctl3D", &TSelectPanel::Ctl3D, &TSelectPanel::SetCtl3D);
  r.Property("Enabled", &TSelectPanel::Enabled, &TSelectPanel::SetEnabled);
  r.Property("Font", &TSelectPanel::Font, &TSelectPanel::SetFont);
  r.Property("ParentColor", &TSelectPanel::ParentColor, &TSelectPanel::SetParentColor);
  r.Property("ParentCtl3D", &TSelectPanel::ParentCtl3D, &TSelectPanel::SetParentCtl3D);
  r.Property("ParentFont", &TSelectPanel::ParentFont, &TSelectPanel::SetParentFont);
  r.Property("ParentShowHint", &TSelectPanel::ParentShowHint, &TSelectPanel::SetParentShowHint);
  r.Property("ShowHint", &TSelectPanel::ShowHint, &TSelectPanel::SetShowHint);
  r.Property("TabOrder", &TSelectPanel::TabOrder, &TSelectPanel::SetTabOrder);
  r.Property("TabStop", &TSelectPanel::TabStop, &TSelectPanel::SetTabStop);
  r.Property("Visible", &TSelectPanel::Visible, &TSelectPanel::SetVisible);

  r.Property("AutoChangeDateSite", &TSelectPanel::AutoChangeDateSite,
             &TSelectPanel::SetAutoChangeDateSite);
  r.Property("BeginWords", &TSelectPanel::BeginWords, &TSelectPanel::SetBeginWords);
  r.Property("ColumnsAutoSize", &TSelectPanel::ColumnsAutoSize, &TSelectPanel::SetColumnsAutoSize);
  r.Property("CanOpenWin", &TSelectPanel::CanOpenWin, &TSelectPanel::SetCanOpenWin);
  r.Property("CheckDuplicate", &TSelectPanel::CheckDuplicate, &TSelectPanel::SetCheckDuplicate);
  r.Property("ChildHints", &TSelectPanel::ChildHints, &TSelectPanel::SetChildHints);
  r.Property("ColumnCaptions", &TSelectPanel::ColumnCaptions, &TSelectPanel::SetColumnCaptions);
  r.Property("Columns", &TSelectPanel::Columns, &TSelectPanel::SetColumns);
  r.Property("DateType", &TSelectPanel::DateType, &TSelectPanel::SetDateType);
  r.Property("DateSign", &TSelectPanel::DateSign, &TSelectPanel::SetDateSign);
  r.Property("Discard", &TSelectPanel::Discard, &TSelectPanel::SetDiscard);
  r.Property("EditMask", &TSelectPanel::EditMask, &TSelectPanel::SetEditMask);
  r.Property("FinalWords", &TSelectPanel::FinalWords, &TSelectPanel::SetFinalWords);
  r.Property("GlyphIndex", &TSelectPanel::GlyphIndex, &TSelectPanel::SetGlyphIndex);
  r.Property("HintWord", &TSelectPanel::HintWord, &TSelectPanel::SetHintWord);
  r.Property("HideSelection", &TSelectPanel::HideSelection, &TSelectPanel::SetHideSelection);
  r.Property("Items", &TSelectPanel::Items, &TSelectPanel::SetItems);
  r.Property("OtherHeight", &TSelectPanel::OtherHeight, &TSelectPanel::SetOtherHeight);
  r.Property("OtherWidth", &TSelectPanel::OtherWidth, &TSelectPanel::SetOtherWidth);
  r.Property("ShowColumnHeader", &TSelectPanel::ShowColumnHeader,
             &TSelectPanel::SetShowColumnHeader);
  r.Property("SortListBox", &TSelectPanel::SortListBox, &TSelectPanel::SetSortListBox);
  r.Property("Style", &TSelectPanel::Style, &TSelectPanel::SetStyle);
  r.Property("UseDiscard", &TSelectPanel::UseDiscard, &TSelectPanel::SetUseDiscard);
  r.Property("UserChoice", &TSelectPanel::UserChoice, &TSelectPanel::SetUserChoice);
  r.Property("UseVertical", &TSelectPanel::UseVertical, &TSelectPanel::SetUseVertical);
  r.Property("ValueType", &TSelectPanel::ValueType, &TSelectPanel::SetValueType);

  r.Event("OnClick", &TSelectPanel::OnClick);
  r.Event("OnEnter", &TSelectPanel::OnEnter);
  r.Event("OnOpenWinClick", &TSelectPanel::OnOpenWinClick);
  r.Event("OnClearClick", &TSelectPanel::OnClearClick);
  r.Event("OnDeleteClick", &TSelectPanel::OnDeleteClick);
  r.Event("OnTypeClick", &TSelectPanel::OnTypeClick);
  r.Event("OnStyleChanging", &TSelectPanel::OnStyleChanging);
  r.Event("OnStyleChange", &TSelectPanel::OnStyleChange);
  r.Event("OnExit", &TSelectPanel::OnExit);
  r.Event("OnItemSelect", &TSelectPanel::OnItemSelect);
  r.Event("OnItemChange", &TSelectPanel::OnItemChange);
  r.Event("OnItemChanging", &TSelectPanel::OnItemChanging);
  r.Event("OnKeyDown", &TSelectPanel::OnKeyDown);
  r.Event("OnKeyUp", &TSelectPanel::OnKeyUp);
  r.Event("OnKeyPress", &TSelectPanel::OnKeyPress);
  r.Message(qv::CM_FONTCHANGED, &TSelectPanel::CMFontChanged);
}

TSelectPanel::TSelectPanel(qv::TComponent* owner)
    : qv::TCustomGroupBox(owner),
      begin_words_(std::make_unique<qv::TStringList>()),
      final_words_(std::make_unique<qv::TStringList>()),
      child_hints_(std::make_unique<qv::TStringList>()),
      column_captions_(std::make_unique<qv::TStringList>()) {
  begin_words_->AddStrings(std::vector<std::string>{"起", "起"});
  final_words_->AddStrings(std::vector<std::string>{"止", "止"});
  child_hints_->AddStrings(
      std::vector<std::string>{"用户自定输入方式", "区间选择-起始信息", "区间选择-起始信息开窗",
                               "区间选择-截止信息", "区间选择-截止信息开窗", "多选-己选择的信息",
                               "多选-信息开窗", "多选-删除一笔信息", "多选-删除己选信息"});

  CreateChildren();

  const auto words_changed = [this](qv::TStringList& list) {
    if (!setting_words_ && list.Count() >= 2) Arrange();
  };
  begin_words_->OnChange = words_changed;
  final_words_->OnChange = words_changed;
  child_hints_->OnChange = [this](qv::TStringList&) { ApplyChildHints(); };

  SetHintWord("区间选择");
  SetBounds(Left(), Top(), 353, 45);
  Arrange();
}

TSelectPanel::~TSelectPanel() = default;

template <typename T>
T* TSelectPanel::NewButton(qv::TWinControl* parent, const char* name, int glyph, int images) {
  auto* button = qv::Create<T>(this);
  const std::string caption = button->Caption();
  button->SetName(name);
  button->SetCaption(caption);
  button->SetParent(parent);
  button->SetFlat(true);
  button->SetGlyphIndex(glyph);
  button->SetNumGlyphs(images);
  button->SetBounds(0, 0, kButtonSize, kButtonSize);
  button->SetShowHint(ShowHint());
  return button;
}

void TSelectPanel::CreateChildren() {
  const bool show_hint = ShowHint();
  const auto new_part = [&](const char* name) {
    auto* part = qv::Create<qv::TPanel>(this);
    part->SetName(name);
    part->SetParent(this);
    part->SetBevelInner(qv::bvNone);
    part->SetBevelOuter(qv::bvNone);
    part->SetCaption(" ");
    part->SetShowHint(show_hint);
    return part;
  };
  const auto new_label = [&](const char* name, const std::string& caption) {
    auto* label = qv::Create<qv::TLabel>(this);
    label->SetName(name);
    label->SetParent(pnl_range_);
    label->SetCaption(caption);
    label->SetShowHint(show_hint);
    return label;
  };
  const auto new_edit = [&](const char* name) {
    auto* edit = qv::Create<TLumMaskEdit>(this);
    edit->SetName(name);
    edit->SetParent(pnl_range_);
    edit->SetText("");
    edit->SetHeight(kEditHeight);
    edit->SetShowHint(show_hint);
    edit->OnKeyDown = qv::TKeyEvent(this, &TSelectPanel::ChildKeyDown);
    edit->OnKeyUp = qv::TKeyEvent(this, &TSelectPanel::ChildKeyUp);
    edit->OnKeyPress = qv::TKeyPressEvent(this, &TSelectPanel::ChildKeyPress);
    return edit;
  };

  chk_choice_ = qv::Create<TLumCheckBox>(this);
  chk_choice_->SetName("chkChoice");
  chk_choice_->SetParent(this);
  chk_choice_->SetShowHint(show_hint);
  chk_choice_->SetVisible(false);
  // Checked, so that a new panel's check box agrees with its UserChoice.
  chk_choice_->SetChecked(true);
  chk_choice_->OnClick = qv::TNotifyEvent(this, &TSelectPanel::ChoiceClick);

  pnl_range_ = new_part("pnlRange");
  lbl_begin_ = new_label("lblBegin", Word(*begin_words_, 0));
  ed_begin_ = new_edit("edBegin");
  btn_begin_ = NewButton<TF2Button>(pnl_range_, "btnBegin", glyph_index_, 1);
  lbl_final_ = new_label("lblFinal", Word(*final_words_, 0));
  ed_final_ = new_edit("edFinal");
  btn_final_ = NewButton<TF2Button>(pnl_range_, "btnFinal", glyph_index_, 1);

  pnl_list_ = new_part("pnlList");
  pnl_list_->SetVisible(false);
  list_box_ = qv::Create<TLumListView>(this);
  list_box_->SetName("ListBox");
  list_box_->SetParent(pnl_list_);
  list_box_->SetShowHint(show_hint);
  list_box_->OnKeyDown = qv::TKeyEvent(this, &TSelectPanel::ChildKeyDown);
  list_box_->OnKeyUp = qv::TKeyEvent(this, &TSelectPanel::ChildKeyUp);
  list_box_->OnKeyPress = qv::TKeyPressEvent(this, &TSelectPanel::ChildKeyPress);
  list_box_->OnSelectItem = qv::TLVSelectItemEvent(this, &TSelectPanel::ListSelectItem);
  list_box_->OnChange = qv::TLVChangeEvent(this, &TSelectPanel::ListChange);
  list_box_->OnChanging = qv::TLVChangingEvent(this, &TSelectPanel::ListChanging);
  btn_list_ = NewButton<TF2Button>(pnl_list_, "btnList", glyph_index_, 1);
  btn_delete_ = NewButton<TGSpeedButton>(pnl_list_, "btnDelete", 47, 1);
  btn_clear_ = NewButton<TGSpeedButton>(pnl_list_, "btnClear", 4, 2);

  for (TF2Button* button : {btn_begin_, btn_final_, btn_list_})
    button->OnClick = qv::TNotifyEvent(this, &TSelectPanel::OpenWinClick);
  btn_delete_->OnClick = qv::TNotifyEvent(this, &TSelectPanel::DeleteClick);
  btn_clear_->OnClick = qv::TNotifyEvent(this, &TSelectPanel::ClearClick);

  if (IsDesigning() || (Owner() != nullptr && Owner()->IsDesigning()))
    chk_choice_->SetChecked(true);
}

// --- layout -------------------------------------------------------------------

std::string TSelectPanel::Word(const qv::TStringList& list, int entry) const {
  if (entry < list.Count()) return list[entry];
  return list.Count() > 0 ? list[0] : std::string();
}

void TSelectPanel::SizeChoiceBox() {
  const qv::TFont* font = chk_choice_->Font();
  chk_choice_->SetBounds(chk_choice_->Left(), chk_choice_->Top(),
                         font->TextWidth(chk_choice_->Caption()) + 24,
                         font->TextHeight(chk_choice_->Caption()) + 2);
}

void TSelectPanel::Arrange() {
  ArrangeFor(arranged_style_);
}

void TSelectPanel::ArrangeFor(TSelectStyle style) {
  if (arranging_ || IsDestroying() || chk_choice_ == nullptr) return;
  FlagGuard guard(arranging_);
  const int caption_height = Font()->TextHeight(Caption());
  SizeChoiceBox();
  switch (style) {
    case sp_Range:
    case sp_Discrete: {
      chk_choice_->SetVisible(false);
      qv::TPanel* front = style == sp_Range ? pnl_range_ : pnl_list_;
      qv::TPanel* back = style == sp_Range ? pnl_list_ : pnl_range_;
      const int top = caption_height + 3;
      front->SetBounds(2, top, Width() - 3 - 2, Height() - 3 - top);
      front->BringToFront();
      back->SetBoundsRect(front->BoundsRect());
      if (style == sp_Discrete) {
        ArrangeList();
      } else if (use_vertical_) {
        ArrangeTwoRows();
      } else {
        ArrangeOneRow();
      }
      break;
    }
    case sp_UserChoice: {
      chk_choice_->SetVisible(true);
      PlaceAt(chk_choice_, 16, caption_height + 1);
      const int top =
          chk_choice_->Top() + chk_choice_->Font()->TextHeight(chk_choice_->Caption()) + 2;
      qv::TPanel* front = user_choice_ ? pnl_range_ : pnl_list_;
      qv::TPanel* back = user_choice_ ? pnl_list_ : pnl_range_;
      front->SetBounds(2, top, Width() - 2 - 2, Height() - 2 - top);
      front->BringToFront();
      back->SetBoundsRect(front->BoundsRect());
      ArrangeTwoRows();
      ArrangeList();
      break;
    }
  }
}

void TSelectPanel::ArrangeOneRow() {
  // Both captions first: the room for the edits depends on the end word.
  lbl_begin_->SetCaption(Word(*begin_words_, 0));
  lbl_final_->SetCaption(Word(*final_words_, 0));
  const int top = (pnl_range_->Height() - ed_begin_->Height()) / 2;
  PlaceAt(lbl_begin_, 2, top);
  int room =
      pnl_range_->Width() - lbl_begin_->Left() - lbl_begin_->Width() - 2 - lbl_final_->Width() - 2;
  if (can_open_win_) room -= btn_begin_->Width() + 2 + btn_final_->Width() + 2;
  ed_begin_->SetBounds(RightOf(lbl_begin_) + 1, top, room / 2 - 1, ed_begin_->Height());
  PlaceAt(btn_begin_, RightOf(ed_begin_) + 2, top);
  PlaceAt(lbl_final_, can_open_win_ ? RightOf(btn_begin_) + 2 : RightOf(ed_begin_) + 4, top);
  ed_final_->SetBounds(RightOf(lbl_final_) + 2, top, ed_begin_->Width(), ed_final_->Height());
  PlaceAt(btn_final_, RightOf(ed_final_) + 2, top);
}

void TSelectPanel::ArrangeTwoRows() {
  lbl_begin_->SetCaption(Word(*begin_words_, 1));
  lbl_final_->SetCaption(Word(*final_words_, 1));
  const int gap = (pnl_range_->Height() - ed_begin_->Height() - ed_final_->Height()) / 3;
  PlaceAt(lbl_begin_, 2, gap);
  const int width = pnl_range_->Width() - lbl_begin_->Left() - lbl_begin_->Width() -
                    (can_open_win_ ? btn_begin_->Width() + 4 : 2);
  ed_begin_->SetBounds(RightOf(lbl_begin_) + 2, gap, width, ed_begin_->Height());
  PlaceAt(btn_begin_, RightOf(ed_begin_) + 1, gap);
  PlaceAt(lbl_final_, lbl_begin_->Left(), gap + lbl_begin_->Top() + ed_begin_->Height());
  ed_final_->SetBounds(ed_begin_->Left(), lbl_final_->Top(), ed_begin_->Width(),
                       ed_final_->Height());
  btn_final_->SetBounds(btn_begin_->Left(), lbl_final_->Top(), btn_begin_->Width(),
                        btn_final_->Height());
}

void TSelectPanel::ArrangeList() {
  list_box_->SetBounds(list_box_->Left(), 0,
                       pnl_list_->Width() - list_box_->Left() - btn_list_->Width() - 3,
                       pnl_list_->Height());
  PlaceAt(btn_list_, list_box_->Width() + 2, 0);
  PlaceAt(btn_delete_, btn_list_->Left(), btn_list_->Top() + btn_list_->Height());
  PlaceAt(btn_clear_, btn_list_->Left(), btn_delete_->Top() + btn_delete_->Height());
}

void TSelectPanel::Resize() {
  Arrange();
  qv::TCustomGroupBox::Resize();
}

void TSelectPanel::CMFontChanged(qv::TMessage& message) {
  Inherited(message);
  Arrange();
}

void TSelectPanel::Loaded() {
  qv::TCustomGroupBox::Loaded();
  // The children are never read from the form file: they are complete now,
  // and the layout needs their sizes.
  for (int i = 0; i < ComponentCount(); ++i) Components(i)->EndLoading();
  Arrange();
}

// --- style and choice -------------------------------------------------------------

void TSelectPanel::ApplyVisibility(TSelectStyle style) {
  if (IsDesigning()) return;
  chk_choice_->SetVisible(style == sp_UserChoice);
  const bool range = style == sp_Range ||
                     (style == sp_UserChoice && chk_choice_->Visible() && chk_choice_->Checked());
  pnl_range_->SetVisible(range);
  pnl_list_->SetVisible(!range);
}

void TSelectPanel::ExchangeSize() {
  if (Parent() != nullptr && Parent()->IsLoading()) return;
  const int width = other_width_;
  const int height = other_height_;
  other_width_ = Width();
  other_height_ = Height();
  SetBounds(Left(), Top(), width, height);
}

void TSelectPanel::SetStyle(TSelectStyle style) {
  const bool designing = IsDesigning();
  bool accept = true;
  if (!designing) OnStyleChanging(this, style_, style, accept);
  if (!accept || !qv::EnumTypeInfo<TSelectStyle>().InRange(style)) return;

  ApplyVisibility(style);
  arranged_style_ = style;
  if (style != style_ && (style == sp_Range || style_ == sp_Range) && !use_vertical_ &&
      !IsLoading())
    ExchangeSize();
  ArrangeFor(style);
  if (!designing) OnStyleChange(this, style_, style);
  style_ = style;
}

bool TSelectPanel::RangeActive() const {
  return style_ == sp_Range || (style_ == sp_UserChoice && chk_choice_->Checked());
}

void TSelectPanel::ChoiceChanged() {
  user_choice_ = chk_choice_->Checked();
  ArrangeFor(sp_UserChoice);
  ApplyVisibility(style_);
  if (!IsDesigning()) OnTypeClick(this);
}

void TSelectPanel::ChoiceClick(qv::TObject*) {
  if (style_ == sp_UserChoice) ChoiceChanged();
}

void TSelectPanel::SetUserChoice(bool value) {
  if (style_ != sp_UserChoice) return;
  chk_choice_->SetChecked(value);
  ChoiceChanged();
}

void TSelectPanel::SetUseVertical(bool value) {
  if (style_ != sp_Range || value == use_vertical_) return;
  use_vertical_ = value;
  if (!IsLoading()) ExchangeSize();
  Arrange();
}

void TSelectPanel::SetCanOpenWin(bool value) {
  can_open_win_ = value;
  for (TF2Button* button : {btn_begin_, btn_final_, btn_list_}) button->SetVisible(value);
  Arrange();
}

// --- words, hints and the check box caption --------------------------------------

void TSelectPanel::SetWords(qv::TStringList& list, qv::TLabel* label, const qv::TStrings& words) {
  {
    FlagGuard guard(setting_words_);
    list.Clear();
    if (words.Count() == 0) return;
    list.Add(words[0]);
    if (words.Count() >= 2) list.Add(words[1]);
    label->SetCaption(list.Count() >= 2 && style_ == sp_UserChoice ? list[1] : list[0]);
  }
  Arrange();
}

void TSelectPanel::SetBeginWords(const qv::TStrings& words) {
  SetWords(*begin_words_, lbl_begin_, words);
}

void TSelectPanel::SetFinalWords(const qv::TStrings& words) {
  SetWords(*final_words_, lbl_final_, words);
}

void TSelectPanel::SetHintWord(const std::string& word) {
  hint_word_ = word;
  chk_choice_->SetCaption(word);
  SizeChoiceBox();
}

void TSelectPanel::SetChildHints(const qv::TStrings& hints) {
  child_hints_->Assign(hints);
}

void TSelectPanel::ApplyChildHints() {
  qv::TControl* const children[] = {chk_choice_, ed_begin_, btn_begin_,  ed_final_, btn_final_,
                                    list_box_,   btn_list_, btn_delete_, btn_clear_};
  const int count = std::min<int>(child_hints_->Count(), std::size(children));
  for (int i = 0; i < count; ++i) children[i]->SetHint((*child_hints_)[i]);
}

// --- list ---------------------------------------------------------------------------

bool TSelectPanel::ColumnsAutoSize() const {
  return list_box_->ColumnsAutoSize();
}

void TSelectPanel::SetColumnsAutoSize(bool value) {
  list_box_->SetColumnsAutoSize(value);
}

bool TSelectPanel::HideSelection() const {
  return list_box_->HideSelection();
}

void TSelectPanel::SetHideSelection(bool value) {
  list_box_->SetHideSelection(value);
}

bool TSelectPanel::ShowColumnHeader() const {
  return list_box_->ShowColumnHeaders();
}

void TSelectPanel::SetShowColumnHeader(bool value) {
  list_box_->SetShowColumnHeaders(value);
}

bool TSelectPanel::SortListBox() const {
  return list_box_->SortRows();
}

void TSelectPanel::SetSortListBox(bool value) {
  list_box_->SetSortRows(value);
}

int TSelectPanel::SortColumn() const {
  return list_box_->SortColumn();
}

bool TSelectPanel::SortAscending() const {
  return list_box_->SortAscending();
}

qv::TListColumns* TSelectPanel::Columns() const {
  return list_box_->Columns();
}

void TSelectPanel::SetColumns(qv::TListColumns* columns) {
  list_box_->SetColumns(columns);
}

qv::TListItems* TSelectPanel::Items() const {
  return list_box_->Items();
}

void TSelectPanel::SetItems(qv::TListItems* items) {
  list_box_->SetItems(items);
}

void TSelectPanel::SetCheckDuplicate(TCheckDuplicate value) {
  if (!qv::EnumTypeInfo<TCheckDuplicate>().InRange(value)) return;
  check_duplicate_ = value;
  list_box_->SetDuplicateCheck(value);
  if (value != cd_None) SetSortListBox(true);
  if (!RangeActive()) list_box_->RemoveDuplicates();
}

qv::TStrings* TSelectPanel::ColumnCaptions() const {
  column_captions_->Clear();
  for (int i = 0; i < list_box_->Columns()->Count(); ++i)
    column_captions_->Add(list_box_->Column(i)->Caption());
  return column_captions_.get();
}

void TSelectPanel::SetColumnCaptions(const qv::TStrings& captions) {
  list_box_->SetColumnCaptions(captions.ToVector());
}

// --- edit mask and glyphs -----------------------------------------------------------

void TSelectPanel::SetEditMask(const std::string& mask) {
  edit_mask_ = mask;
  const std::string kept = ed_begin_->Text();
  struct Suppressed {
    TLumMaskEdit* edit;
    explicit Suppressed(TLumMaskEdit* e) : edit(e) { edit->SetSuppressChange(true); }
    ~Suppressed() { edit->SetSuppressChange(false); }
  } suppressed(ed_begin_);
  ed_begin_->SetText("");
  ed_begin_->SetEditMask(mask);
  ed_final_->SetEditMask(mask);
  empty_mask_text_ = ed_begin_->Text();
  ed_begin_->SetText(kept);
}

void TSelectPanel::SetGlyphIndex(int index) {
  if (index == glyph_index_) return;
  try {
    btn_begin_->SetGlyphIndex(index);
    btn_final_->SetGlyphIndex(btn_begin_->GlyphIndex());
    btn_list_->SetGlyphIndex(btn_begin_->GlyphIndex());
    glyph_index_ = index;
  } catch (const std::exception&) {
    for (TF2Button* button : {btn_begin_, btn_final_, btn_list_}) button->SetGlyphIndex(0);
  }
}

// --- focus, enabling and the range on exit --------------------------------------------

void TSelectPanel::SetFocus() {
  qv::TCustomGroupBox::SetFocus();
  if (!RangeActive() && list_box_->CanFocus()) list_box_->SetFocus();
}

void TSelectPanel::SetEnabled(bool enabled) {
  qv::TCustomGroupBox::SetEnabled(enabled);
  enabled_value_ = enabled;
  EnableInside(this, enabled);
}

void TSelectPanel::OrderRange() {
  if (!edit_mask_.starts_with("!")) {
    ed_begin_->SetText(qv::Trim(ed_begin_->Text()));
    ed_final_->SetText(qv::Trim(ed_final_->Text()));
  }
  if (ed_begin_->Text().empty() || ed_final_->Text().empty()) return;
  if (value_type_ == vt_Float) {
    ed_begin_->SetText(CanonicalFloatText(ed_begin_->Text()));
    ed_final_->SetText(CanonicalFloatText(ed_final_->Text()));
  }
  TRangeOrderRules rules;
  rules.ValueType = value_type_;
  rules.AutoChangeDateSite = auto_change_date_site_;
  rules.DateType = date_type_;
  rules.DateSign = date_sign_;
  rules.UseDiscard = use_discard_;
  rules.Discard = discard_;
  rules.EmptyMaskText = empty_mask_text_;
  const std::string begin = ed_begin_->Text();
  const std::string end = ed_final_->Text();
  if (!RangeNeedsExchange(rules, begin, end)) return;
  ed_begin_->SetText(end);
  ed_final_->SetText(begin);
}

void TSelectPanel::DoExit() {
  OrderRange();
  qv::TCustomGroupBox::DoExit();
}

// --- children's events ----------------------------------------------------------------

void TSelectPanel::OpenWinClick(qv::TObject* sender) {
  if (IsDesigning()) return;
  qv::TWinControl* child = list_box_;
  if (sender == btn_begin_) child = ed_begin_;
  if (sender == btn_final_) child = ed_final_;
  if (child->CanFocus()) child->SetFocus();
  SendOpenLookup(Owner(), child);
  OnOpenWinClick(this, child);
}

void TSelectPanel::DeleteClick(qv::TObject*) {
  bool accept = true;
  if (!IsDesigning()) OnDeleteClick(btn_delete_, accept);
  if (accept) list_box_->DeleteSelectedRows();
}

void TSelectPanel::ClearClick(qv::TObject*) {
  list_box_->ClearRows();
  if (list_box_->CanFocus()) list_box_->SetFocus();
  if (!IsDesigning()) OnClearClick(btn_clear_);
}

void TSelectPanel::ChildKeyDown(qv::TObject* sender, qv::Word& key, qv::TShiftState shift) {
  OnKeyDown(sender, key, shift);
}

void TSelectPanel::ChildKeyUp(qv::TObject* sender, qv::Word& key, qv::TShiftState shift) {
  OnKeyUp(sender, key, shift);
}

void TSelectPanel::ChildKeyPress(qv::TObject* sender, char32_t& key) {
  OnKeyPress(sender, key);
}

void TSelectPanel::ListSelectItem(qv::TObject* sender, qv::TListItem* item, bool selected) {
  OnItemSelect(sender, item, item != nullptr ? item->Index() : -1, selected);
}

void TSelectPanel::ListChange(qv::TObject* sender, qv::TListItem* item, qv::TItemChange change) {
  OnItemChange(sender, item, change);
}

void TSelectPanel::ListChanging(qv::TObject* sender, qv::TListItem* item, qv::TItemChange change,
                                bool& allow) {
  OnItemChanging(sender, item, change, allow);
}

}  // namespace ravlet
