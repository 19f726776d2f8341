#include "platform/vcl/memo.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/text_chars.h"

namespace qv {

namespace {

// A memo text as lines, and whether it ends with a line break (an empty text
// counts as ending with one: the next line added gets its own break).
struct TLineSplit {
  std::vector<std::string> Lines;
  bool Trailing = true;
};

TLineSplit SplitLines(std::string_view text) {
  TLineSplit split;
  split.Trailing = text.empty();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    split.Lines.emplace_back(text.substr(start, end - start));
    if (end == text.size()) break;
    end += (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    if (end == text.size()) split.Trailing = true;
    start = end;
  }
  return split;
}

std::string JoinLines(const TLineSplit& split) {
  std::string text;
  for (size_t i = 0; i < split.Lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += split.Lines[i];
  }
  if (split.Trailing && !split.Lines.empty()) text += "\r\n";
  return text;
}

// The memo's Lines: every operation reads or rewrites the memo's text.
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  int Count() const override { return static_cast<int>(SplitLines(memo_.Text()).Lines.size()); }
  void Clear() override { memo_.SetText(""); }
  void Delete(int index) override {
    TLineSplit split = Split(index);
    split.Lines.erase(split.Lines.begin() + index);
    memo_.SetText(JoinLines(split));
  }
  void Insert(int index, const std::string& text) override {
    TLineSplit split = SplitLines(memo_.Text());
    if (index < 0 || index > static_cast<int>(split.Lines.size())) ErrorIndex(index);
    split.Lines.insert(split.Lines.begin() + index, text);
    memo_.SetText(JoinLines(split));
  }
  void SetText(std::string_view text) override { memo_.SetText(std::string(text)); }
  void Assign(const TStrings& other) override {
    if (&other != this) SetText(other.Text());
  }

 protected:
  std::string Get(int index) const override {
    return Split(index).Lines[static_cast<size_t>(index)];
  }
  void Put(int index, const std::string& text) override {
    TLineSplit split = Split(index);
    split.Lines[static_cast<size_t>(index)] = text;
    memo_.SetText(JoinLines(split));
  }

 private:
  TLineSplit Split(int index) const {
    TLineSplit split = SplitLines(memo_.Text());
    if (index < 0 || index >= static_cast<int>(split.Lines.size())) ErrorIndex(index);
    return split;
  }

  TCustomMemo& memo_;
};

// Where each line starts, in characters, and where the text ends.
std::vector<int> LineStarts(const std::u32string& chars) {
  std::vector<int> starts{0};
  for (size_t i = 0; i < chars.size(); ++i) {
    if (chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') ++i;
    if (chars[i] == U'\r' || chars[i] == U'\n') starts.push_back(static_cast<int>(i + 1));
  }
  return starts;
}

// The length of a line without its break.
int LineLength(const std::u32string& chars, const std::vector<int>& starts, size_t line) {
  int end = line + 1 < starts.size() ? starts[line + 1] : static_cast<int>(chars.size());
  while (end > starts[line] && (chars[static_cast<size_t>(end - 1)] == U'\n' ||
                                chars[static_cast<size_t>(end - 1)] == U'\r'))
    --end;
  return end - starts[line];
}

}  // namespace

QV_DEFINE_CLASS(TCustomMemo, TCustomEdit, r) {}

QV_DEFINE_CLASS(TMemo, TCustomMemo, r) {
  r.Property("Align", &TMemo::Align, &TMemo::SetAlign);
  r.Property("Alignment", &TMemo::Alignment, &TMemo::SetAlignment);
  r.Property("Color", &TMemo::Color, &TMemo::SetColor, "TColor");
  r.Property("Ctl3D", &TMemo::Ctl3D, &TMemo::SetCtl3D);
  r.Property("Enabled", &TMemo::Enabled, &TMemo::SetEnabled);
  r.Property("Font", &TMemo::Font, &TMemo::SetFont);
  r.Property("ImeMode", &TMemo::ImeMode, &TMemo::SetImeMode);
  r.Property("ImeName", &TMemo::ImeName, &TMemo::SetImeName);
  r.Property("Lines", &TMemo::Lines, &TMemo::SetLines);
  r.Property("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength);
  r.Property("ParentColor", &TMemo::ParentColor, &TMemo::SetParentColor);
  r.Property("ParentCtl3D", &TMemo::ParentCtl3D, &TMemo::SetParentCtl3D);
  r.Property("ParentFont", &TMemo::ParentFont, &TMemo::SetParentFont);
  r.Property("ParentShowHint", &TMemo::ParentShowHint, &TMemo::SetParentShowHint);
  r.Property("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly);
  r.Property("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars);
  r.Property("ShowHint", &TMemo::ShowHint, &TMemo::SetShowHint);
  r.Property("TabOrder", &TMemo::TabOrder, &TMemo::SetTabOrder);
  r.Property("TabStop", &TMemo::TabStop, &TMemo::SetTabStop);
  r.Property("Visible", &TMemo::Visible, &TMemo::SetVisible);
  r.Property("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns);
  r.Property("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs);
  r.Property("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
  r.Event("OnChange", &TMemo::OnChange);
  r.Event("OnClick", &TMemo::OnClick);
  r.Event("OnDblClick", &TMemo::OnDblClick);
  r.Event("OnEnter", &TMemo::OnEnter);
  r.Event("OnExit", &TMemo::OnExit);
  r.Event("OnKeyDown", &TMemo::OnKeyDown);
  r.Event("OnKeyPress", &TMemo::OnKeyPress);
  r.Event("OnKeyUp", &TMemo::OnKeyUp);
  r.Event("OnMouseDown", &TMemo::OnMouseDown);
  r.Event("OnMouseMove", &TMemo::OnMouseMove);
  r.Event("OnMouseUp", &TMemo::OnMouseUp);
}

TCustomMemo::TCustomMemo(TComponent* owner)
    : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(*this)) {
  SetAutoSize(false);
  SetAutoSelect(false);
  SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomMemo::SetScrollBars(TScrollStyle scroll_bars) {
  if (scroll_bars == scroll_bars_) return;
  scroll_bars_ = scroll_bars;
  Invalidate();
}

void TCustomMemo::SetWordWrap(bool word_wrap) {
  if (word_wrap == word_wrap_) return;
  word_wrap_ = word_wrap;
  Invalidate();
}

TPoint TCustomMemo::CaretPos() const {
  const std::u32string chars = Utf8ToChars(Text());
  const std::vector<int> starts = LineStarts(chars);
  const int caret = SelStart();
  size_t line = 0;
  while (line + 1 < starts.size() && starts[line + 1] <= caret) ++line;
  return {caret - starts[line], static_cast<int>(line)};
}

void TCustomMemo::MoveCaretLine(int delta) {
  const std::u32string chars = Utf8ToChars(Text());
  const std::vector<int> starts = LineStarts(chars);
  const TPoint caret = CaretPos();
  const int line = std::clamp(caret.Y + delta, 0, static_cast<int>(starts.size()) - 1);
  const int column = std::min(caret.X, LineLength(chars, starts, static_cast<size_t>(line)));
  SetSelStart(starts[static_cast<size_t>(line)] + column);
}

bool TCustomMemo::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_RETURN) return want_returns_;
  if (key == VK_TAB) return want_tabs_;
  return TCustomEdit::WantsKey(key, shift);
}

void TCustomMemo::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_CHAR) {
    const auto ch = static_cast<char32_t>(message.WParam);
    if (ch == U'\r' || ch == U'\t') {
      if (!ReadOnly() && (ch == U'\r' ? want_returns_ : want_tabs_))
        ReplaceSelection(ch == U'\r' ? U"\r\n" : U"\t", true);
      return;
    }
  } else if (message.Msg == WM_KEYDOWN && (message.WParam == VK_UP || message.WParam == VK_DOWN)) {
    MoveCaretLine(message.WParam == VK_UP ? -1 : 1);
    return;
  }
  TCustomEdit::DefaultHandler(message);
}

}  // namespace qv
