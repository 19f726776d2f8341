#pragma once
// A small component publishing one property of every kind, for the tests of
// the component model and of property access by name.

#include <string>
#include <utility>
#include <vector>

#include "platform/text/string_list.h"
#include "platform/vcl/component.h"
#include "platform/vcl/events.h"
#include "platform/vcl/font.h"

namespace qv::test {

QV_ENUM(TTestMood, tmCalm, tmHappy, tmAngry);

class TTestWidget : public TComponent {
  QV_DECLARE_CLASS(TTestWidget)

  explicit TTestWidget(TComponent* owner);

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  int Count() const { return count_; }
  void SetCount(int count) { count_ = count; }
  uint8_t Gap() const { return gap_; }
  void SetGap(uint8_t gap) { gap_ = gap; }
  char Letter() const { return letter_; }
  void SetLetter(char letter) { letter_ = letter; }
  TTestMood Mood() const { return mood_; }
  void SetMood(TTestMood mood) { mood_ = mood; }
  TFontStyles Styles() const { return styles_; }
  void SetStyles(TFontStyles styles) { styles_ = styles; }
  double Ratio() const { return ratio_; }
  void SetRatio(double ratio) { ratio_ = ratio; }
  bool Active() const { return active_; }
  void SetActive(bool active) { active_ = active; }
  TColor Color() const { return color_; }
  void SetColor(TColor color) { color_ = color; }
  int Version() const { return 7; }
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }
  TStringList* Lines() const { return lines_.get(); }
  void SetLines(const TStrings& lines) { lines_->Assign(lines); }
  TTestWidget* Buddy() const { return buddy_; }
  void SetBuddy(TTestWidget* buddy);

  TNotifyEvent OnPing;
  TCloseQueryEvent OnAsk;

  void HandlePing(TObject* sender) { pings.push_back(sender); }
  void HandleAsk(TObject*, bool& allow) { allow = false; }

  void Notification(TComponent* component, TOperation operation) override;
  void BeforeDestruction() override;
  void Loaded() override;

  std::vector<TObject*> pings;
  std::vector<std::pair<TComponent*, TOperation>> notices;
  // Shared by a test to see the order in which widgets end or load.
  std::vector<std::string>* journal = nullptr;

 private:
  std::string caption_;
  int count_ = 0;
  uint8_t gap_ = 2;
  char letter_ = 'A';
  TTestMood mood_ = tmCalm;
  TFontStyles styles_;
  double ratio_ = 0.5;
  bool active_ = true;
  TColor color_ = clWindow;
  std::unique_ptr<TFont> font_ = std::make_unique<TFont>();
  std::unique_ptr<TStringList> lines_ = std::make_unique<TStringList>();
  TTestWidget* buddy_ = nullptr;
};

// A class below TTestWidget, for class chains.
class TTestGadget : public TTestWidget {
  QV_DECLARE_CLASS(TTestGadget)
  using TTestWidget::TTestWidget;
};

}  // namespace qv::test
