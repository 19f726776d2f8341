#pragma once
// Status bars: a row of panels along the bottom of a form, each with a text
// and a width; the last panel reaches to the right edge. With SimplePanel
// the bar shows SimpleText across its whole width instead.

#include <memory>
#include <string>

#include "platform/vcl/alignment.h"
#include "platform/vcl/collection.h"
#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TStatusPanelStyle, psText, psOwnerDraw);
QV_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised);

class TStatusBar;

class TStatusPanel : public TCollectionItem {
  QV_DECLARE_CLASS(TStatusPanel)

  TStatusPanel() = default;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  int Width() const { return width_; }
  // Negative widths become 0.
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);

  std::string DisplayName() const override;
  void Assign(const TPersistent* source) override;

 private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
  TStatusPanelStyle style_ = psText;
};

class TStatusPanels : public TCollection {
  QV_DECLARE_CLASS(TStatusPanels)

  explicit TStatusPanels(TStatusBar* bar);

  TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
  TStatusPanel* Insert(int index) { return static_cast<TStatusPanel*>(TCollection::Insert(index)); }
  // Raises EListError "List index out of bounds (<index>)".
  TStatusPanel* Items(int index) const {
    return static_cast<TStatusPanel*>(TCollection::Items(index));
  }

 protected:
  std::unique_ptr<TCollectionItem> NewItem() override;
  void Update(TCollectionItem* item) override;

 private:
  TStatusBar* bar_;
};

class TStatusBar : public TWinControl {
  QV_DECLARE_CLASS(TStatusBar)

  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels* Panels() const { return panels_.get(); }
  // Copies the panels of `panels`.
  void SetPanels(TStatusPanels* panels);
  bool SimplePanel() const { return simple_panel_; }
  void SetSimplePanel(bool simple);
  const std::string& SimpleText() const { return simple_text_; }
  void SetSimpleText(const std::string& text);
  bool SizeGrip() const { return size_grip_; }
  void SetSizeGrip(bool size_grip);

  // Where a panel is shown; the last one reaches to the right edge.
  // Raises EListError for an index out of range.
  TRect PanelRect(int index) const;
  // The panel under a client x; -1 when none (or SimplePanel).
  int PanelAt(int x) const;

 private:
  std::unique_ptr<TStatusPanels> panels_;
  bool simple_panel_ = false;
  std::string simple_text_;
  bool size_grip_ = true;
};

}  // namespace qv
