#pragma once
// Input events and where they come from. The message loop and every modal run
// take the person's actions from an input source: a scripted queue in tests,
// a driver reading JSON lines, later a renderer. A control is named by a path
// of component names: "frmMain.pnlList.btnDelete", or relative to the active
// form ("btnDelete", "SelectPanel1.btnList"); key events without a target go
// to the focused control.

#include <deque>
#include <string>

#include "platform/vcl/enum_type.h"
#include "platform/vcl/keys.h"

namespace qv {

QV_ENUM(TInputKind, ikClick, ikDoubleClick, ikKeyDown, ikKeyPress, ikKeyUp, ikKeystroke, ikTypeText,
        ikSetFocus, ikCloseWindow);

struct TInputEvent {
  TInputKind Kind = ikClick;
  // The control (or, for ikCloseWindow, the form) the event is meant for.
  std::string Target;
  // ikKeyDown, ikKeyUp, ikKeystroke: the virtual key.
  Word Key = 0;
  TShiftState Shift;
  // ikKeyPress: one character; ikTypeText: the text (UTF-8).
  std::string Text;

  static TInputEvent Click(std::string target, TShiftState shift = {});
  static TInputEvent DoubleClick(std::string target);
  static TInputEvent KeyDown(Word key, TShiftState shift = {}, std::string target = {});
  static TInputEvent KeyUp(Word key, TShiftState shift = {}, std::string target = {});
  static TInputEvent KeyPress(std::string character, std::string target = {});
  // Down, the character it types (if any), up.
  static TInputEvent Keystroke(Word key, TShiftState shift = {}, std::string target = {});
  static TInputEvent TypeText(std::string text, std::string target = {});
  static TInputEvent SetFocus(std::string target);
  static TInputEvent CloseWindow(std::string form = {});
};

class TInputSource {
 public:
  virtual ~TInputSource() = default;
  // The next event; false when the source has none (now or ever).
  virtual bool Next(TInputEvent& event) = 0;
};

// Events queued in advance, handed out in order.
class TScriptedInputSource : public TInputSource {
 public:
  TScriptedInputSource& Add(TInputEvent event);
  TScriptedInputSource& Click(std::string target) {
    return Add(TInputEvent::Click(std::move(target)));
  }
  TScriptedInputSource& Keystroke(Word key, TShiftState shift = {}) {
    return Add(TInputEvent::Keystroke(key, shift));
  }
  TScriptedInputSource& TypeText(std::string text) {
    return Add(TInputEvent::TypeText(std::move(text)));
  }
  TScriptedInputSource& SetFocus(std::string target) {
    return Add(TInputEvent::SetFocus(std::move(target)));
  }
  TScriptedInputSource& CloseWindow(std::string form = {}) {
    return Add(TInputEvent::CloseWindow(std::move(form)));
  }
  size_t Pending() const { return events_.size(); }
  void Clear() { events_.clear(); }

  bool Next(TInputEvent& event) override;

 private:
  std::deque<TInputEvent> events_;
};

}  // namespace qv
