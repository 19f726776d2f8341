#pragma once
// The selection panel: a framed group box that carries one report condition,
// either as a range (a begin and an end value, edBegin and edFinal) or as a
// list of values (ListBox), or as the person's choice between the two
// (chkChoice). The panel creates and lays out its children itself, puts the
// ends of a range in order when the focus leaves it, keeps the list sorted
// and free of duplicates on request, asks the window it belongs to for
// lookups (WM_OPENLOOKUP) and passes its children's events on as its own.

#include <memory>
#include <string>

#include "controls/f2_button.h"
#include "controls/g_speed_button.h"
#include "controls/lum_check_box.h"
#include "controls/lum_list_view.h"
#include "controls/lum_mask_edit.h"
#include "controls/select_panel_types.h"
#include "platform/text/string_list.h"
#include "platform/vcl/group_box.h"
#include "platform/vcl/label.h"
#include "platform/vcl/panel.h"

namespace ravlet {

// SenderParent (the panel), Sender (the child the lookup is for).
QV_EVENT_TYPE(TOpenWinClickEvent, qv::TObject*, qv::TObject*);
// Sender (btnDelete), Accept: false keeps the rows.
QV_EVENT_TYPE(TDeleteClickEvent, qv::TObject*, bool&);
// Sender, the current style, NewStyle (may be changed), Accept.
QV_EVENT_TYPE(TStyleChangingEvent, qv::TObject*, TSelectStyle, TSelectStyle&, bool&);
// Sender, the old style, the new style.
QV_EVENT_TYPE(TStyleChangeEvent, qv::TObject*, TSelectStyle, TSelectStyle);
// Sender (ListBox), the row, its index, selected or not.
QV_EVENT_TYPE(TListViewSelectItemEvent, qv::TObject*, qv::TListItem*, int, bool);
QV_EVENT_TYPE(TListViewDataChangeEvent, qv::TObject*, qv::TListItem*, qv::TItemChange);
// Sender, the row, what changes, AllowChange.
QV_EVENT_TYPE(TListViewDataChangingEvent, qv::TObject*, qv::TListItem*, qv::TItemChange, bool&);

class TSelectPanel : public qv::TCustomGroupBox {
  QV_DECLARE_CLASS(TSelectPanel)

  explicit TSelectPanel(qv::TComponent* owner);
  ~TSelectPanel() override;

  bool AutoChangeDateSite() const { return auto_change_date_site_; }
  void SetAutoChangeDateSite(bool value) { auto_change_date_site_ = value; }
  // Captions of lblBegin: entry 0 in one row, entry 1 in two rows. Setting
  // keeps at most the first two entries of the given list.
  qv::TStrings* BeginWords() const { return begin_words_.get(); }
  void SetBeginWords(const qv::TStrings& words);
  bool ColumnsAutoSize() const;
  void SetColumnsAutoSize(bool value);
  // The three open-lookup buttons are shown.
  bool CanOpenWin() const { return can_open_win_; }
  void SetCanOpenWin(bool value);
  // Any check other than cd_None also sorts the list; the list is checked at
  // once when it is the part in use.
  TCheckDuplicate CheckDuplicate() const { return check_duplicate_; }
  void SetCheckDuplicate(TCheckDuplicate value);
  // Hints of chkChoice, edBegin, btnBegin, edFinal, btnFinal, ListBox,
  // btnList, btnDelete and btnClear, in that order; they reach the children
  // whenever the list changes.
  qv::TStrings* ChildHints() const { return child_hints_.get(); }
  void SetChildHints(const qv::TStrings& hints);
  // The captions of ListBox's columns, read fresh; setting rebuilds the columns.
  qv::TStrings* ColumnCaptions() const;
  void SetColumnCaptions(const qv::TStrings& captions);
  // ListBox's columns and rows.
  qv::TListColumns* Columns() const;
  void SetColumns(qv::TListColumns* columns);
  TDateType DateType() const { return date_type_; }
  void SetDateType(TDateType value) { date_type_ = value; }
  const std::string& DateSign() const { return date_sign_; }
  void SetDateSign(const std::string& value) { date_sign_ = value; }
  const std::string& Discard() const { return discard_; }
  void SetDiscard(const std::string& value) { discard_ = value; }
  // The edit mask of both edits.
  const std::string& EditMask() const { return edit_mask_; }
  void SetEditMask(const std::string& mask);
  qv::TStrings* FinalWords() const { return final_words_.get(); }
  void SetFinalWords(const qv::TStrings& words);
  int GlyphIndex() const { return glyph_index_; }
  void SetGlyphIndex(int index);
  // The caption of chkChoice.
  const std::string& HintWord() const { return hint_word_; }
  void SetHintWord(const std::string& word);
  bool HideSelection() const;
  void SetHideSelection(bool value);
  qv::TListItems* Items() const;
  void SetItems(qv::TListItems* items);
  // The size the panel takes at its next size exchange; setting only stores it.
  int OtherHeight() const { return other_height_; }
  void SetOtherHeight(int value) { other_height_ = value; }
  int OtherWidth() const { return other_width_; }
  void SetOtherWidth(int value) { other_width_ = value; }
  bool ShowColumnHeader() const;
  void SetShowColumnHeader(bool value);
  bool SortListBox() const;
  void SetSortListBox(bool value);
  TSelectStyle Style() const { return style_; }
  void SetStyle(TSelectStyle style);
  bool UseDiscard() const { return use_discard_; }
  void SetUseDiscard(bool value) { use_discard_ = value; }
  // In sp_UserChoice: true = the range part, false = the list part. Setting
  // it in the other styles does nothing.
  bool UserChoice() const { return user_choice_; }
  void SetUserChoice(bool value);
  // In sp_Range: the two edits one above the other. Ignored in other styles.
  bool UseVertical() const { return use_vertical_; }
  void SetUseVertical(bool value);
  TValueType ValueType() const { return value_type_; }
  void SetValueType(TValueType value) { value_type_ = value; }

  // The range part is in use: sp_Range, or sp_UserChoice with chkChoice checked.
  bool RangeActive() const;
  // The text an empty edit shows under the current edit mask.
  const std::string& EmptyMaskText() const { return empty_mask_text_; }
  // The list's sort key, changed by clicks on its column headers.
  int SortColumn() const;
  bool SortAscending() const;
  // The Enabled value last given to the panel.
  bool EnabledValue() const { return enabled_value_; }

  // Focuses the panel, and then ListBox when the list part is in use.
  void SetFocus() override;
  // Gives the same Enabled to every control inside the panel, at any depth.
  void SetEnabled(bool enabled) override;
  void Loaded() override;

  TLumCheckBox* chkChoice() const { return chk_choice_; }
  qv::TPanel* pnlRange() const { return pnl_range_; }
  qv::TLabel* lblBegin() const { return lbl_begin_; }
  TLumMaskEdit* edBegin() const { return ed_begin_; }
  TF2Button* btnBegin() const { return btn_begin_; }
  qv::TLabel* lblFinal() const { return lbl_final_; }
  TLumMaskEdit* edFinal() const { return ed_final_; }
  TF2Button* btnFinal() const { return btn_final_; }
  qv::TPanel* pnlList() const { return pnl_list_; }
  TLumListView* ListBox() const { return list_box_; }
  TF2Button* btnList() const { return btn_list_; }
  TGSpeedButton* btnDelete() const { return btn_delete_; }
  TGSpeedButton* btnClear() const { return btn_clear_; }

  TOpenWinClickEvent OnOpenWinClick;
  qv::TNotifyEvent OnClearClick;
  TDeleteClickEvent OnDeleteClick;
  qv::TNotifyEvent OnTypeClick;
  TStyleChangingEvent OnStyleChanging;
  TStyleChangeEvent OnStyleChange;
  TListViewSelectItemEvent OnItemSelect;
  TListViewDataChangeEvent OnItemChange;
  TListViewDataChangingEvent OnItemChanging;

 protected:
  void Resize() override;
  // Puts the range in order, then raises OnExit.
  void DoExit() override;
  void CMFontChanged(qv::TMessage& message);

 private:
  void CreateChildren();
  template <typename T>
  T* NewButton(qv::TWinControl* parent, const char* name, int glyph, int images);
  void Arrange();
  void ArrangeFor(TSelectStyle style);
  void ArrangeOneRow();
  void ArrangeTwoRows();
  void ArrangeList();
  void SizeChoiceBox();
  void ApplyVisibility(TSelectStyle style);
  void ExchangeSize();
  void ChoiceChanged();
  void OrderRange();
  void ApplyChildHints();
  void SetWords(qv::TStringList& list, qv::TLabel* label, const qv::TStrings& words);
  std::string Word(const qv::TStringList& list, int entry) const;

  void ChoiceClick(qv::TObject* sender);
  void OpenWinClick(qv::TObject* sender);
  void DeleteClick(qv::TObject* sender);
  void ClearClick(qv::TObject* sender);
  void ChildKeyDown(qv::TObject* sender, qv::Word& key, qv::TShiftState shift);
  void ChildKeyUp(qv::TObject* sender, qv::Word& key, qv::TShiftState shift);
  void ChildKeyPress(qv::TObject* sender, char32_t& key);
  void ListSelectItem(qv::TObject* sender, qv::TListItem* item, bool selected);
  void ListChange(qv::TObject* sender, qv::TListItem* item, qv::TItemChange change);
  void ListChanging(qv::TObject* sender, qv::TListItem* item, qv::TItemChange change, bool& allow);

  TLumCheckBox* chk_choice_ = nullptr;
  qv::TPanel* pnl_range_ = nullptr;
  qv::TLabel* lbl_begin_ = nullptr;
  TLumMaskEdit* ed_begin_ = nullptr;
  TF2Button* btn_begin_ = nullptr;
  qv::TLabel* lbl_final_ = nullptr;
  TLumMaskEdit* ed_final_ = nullptr;
  TF2Button* btn_final_ = nullptr;
  qv::TPanel* pnl_list_ = nullptr;
  TLumListView* list_box_ = nullptr;
  TF2Button* btn_list_ = nullptr;
  TGSpeedButton* btn_delete_ = nullptr;
  TGSpeedButton* btn_clear_ = nullptr;

  std::unique_ptr<qv::TStringList> begin_words_;
  std::unique_ptr<qv::TStringList> final_words_;
  std::unique_ptr<qv::TStringList> child_hints_;
  std::unique_ptr<qv::TStringList> column_captions_;

  bool auto_change_date_site_ = true;
  bool can_open_win_ = true;
  TCheckDuplicate check_duplicate_ = cd_None;
  TDateType date_type_ = dt_NoneCare;
  std::string date_sign_ = "/";
  std::string discard_;
  std::string edit_mask_;
  int glyph_index_ = 8;
  std::string hint_word_;
  int other_height_ = 105;
  int other_width_ = 200;
  TSelectStyle style_ = sp_Range;
  // The style the children are laid out for; ahead of style_ while it changes.
  TSelectStyle arranged_style_ = sp_Range;
  bool use_discard_ = false;
  bool user_choice_ = true;
  bool use_vertical_ = false;
  TValueType value_type_ = vt_String;
  std::string empty_mask_text_;
  bool enabled_value_ = true;
  bool arranging_ = false;
  bool setting_words_ = false;
};

}  // namespace ravlet
