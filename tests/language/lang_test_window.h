#pragma once
// Small windows and components that language packages are applied to in the
// tests (packages in MultiLanguage/CHT and MultiLanguage/ENG next to this file).

#include <memory>
#include <string>
#include <vector>

#include "platform/text/string_list.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"
#include "platform/vcl/panel.h"

namespace ravlet::testing {

// A column of TLangGrid: an element that indexed paths step into.
class TLangColumn : public qv::TPersistent {
  QV_DECLARE_CLASS(TLangColumn)

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }

 private:
  std::string caption_;
  int width_ = 50;
};

// A panel of TLangBar: an item of a collection.
class TLangPanel : public qv::TCollectionItem {
  QV_DECLARE_CLASS(TLangPanel)

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text) { text_ = text; }

 private:
  std::string text_;
};

class TLangPanels : public qv::TCollection {
  QV_DECLARE_CLASS(TLangPanels)
  using qv::TCollection::TCollection;

 protected:
  std::unique_ptr<qv::TCollectionItem> NewItem() override;
};

// A bar publishing a collection of panels.
class TLangBar : public qv::TComponent {
  QV_DECLARE_CLASS(TLangBar)

  explicit TLangBar(qv::TComponent* owner);
  TLangPanels* Panels() const { return panels_.get(); }

 private:
  std::unique_ptr<TLangPanels> panels_;
};

// A component with columns and a list of items with a selected one.
class TLangGrid : public qv::TComponent {
  QV_DECLARE_CLASS(TLangGrid)

  explicit TLangGrid(qv::TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  qv::TStringList* Items() const { return items_.get(); }
  void SetItems(const qv::TStrings& items) { items_->Assign(items); }
  int ItemIndex() const { return item_index_; }
  void SetItemIndex(int index) { item_index_ = index; }
  qv::TFont* Font() const { return font_.get(); }
  void SetFont(qv::TFont* font) { font_->Assign(font); }

  TLangColumn* AddColumn(const std::string& caption);
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  TLangColumn* Column(int index) const { return columns_[index].get(); }

 private:
  std::string caption_;
  std::unique_ptr<qv::TStringList> items_;
  std::unique_ptr<qv::TFont> font_;
  std::vector<std::unique_ptr<TLangColumn>> columns_;
  int item_index_ = -1;
};

// Registers the indexed-path rule of TLangGrid: "Columns_n" steps into column
// n when it exists.
void RegisterLangGridKind();

// frmLangTest
//   lblTitle, edCode, grdList (3 columns, items "一" "二"),
//   pnMain -> owns lblInner, barStatus (2 panels)
class TfrmLangTest : public qv::TForm {
  QV_DECLARE_CLASS(TfrmLangTest)

  explicit TfrmLangTest(qv::TComponent* owner);

  qv::TLabel* lblTitle;
  qv::TEdit* edCode;
  TLangGrid* grdList;
  qv::TPanel* pnMain;
  qv::TLabel* lblInner;
  TLangBar* barStatus;
};

}  // namespace ravlet::testing
