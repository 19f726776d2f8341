#pragma once
// The application: the message loop, the queue of posted messages, the
// input source the loop takes the person's actions from, hint settings and
// the forms it owns. `Application` and `Screen` exist for the whole process.
//
// The loop (Run, and every modal run) takes one posted message at a time
// while there are any, and otherwise one input event; it never waits, so an
// input source that runs dry ends Run and makes a modal run raise.

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/vcl/colors.h"
#include "platform/vcl/component.h"
#include "platform/vcl/input_source.h"
#include "platform/vcl/messages.h"

namespace qv {

class TControl;
class TWinControl;
class TCustomForm;

class TApplication : public TComponent {
  QV_DECLARE_CLASS(TApplication)

  explicit TApplication(TComponent* owner);
  ~TApplication() override;

  // A form owned by the application; the first one becomes the main form.
  template <typename T, typename... A>
  T* CreateForm(A&&... args) {
    T* form = Create<T>(this, std::forward<A>(args)...);
    if (main_form_ == nullptr) main_form_ = form;
    return form;
  }
  TCustomForm* MainForm() const { return main_form_; }
  void Notification(TComponent* component, TOperation operation) override;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Shows the main form and runs the loop until Terminate or until neither
  // messages nor input are left. Terminated is cleared when Run returns.
  void Run();
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  // One step of the loop: a posted message, or else one input event. False
  // when there was neither.
  bool HandleMessage();
  // Handles every posted message (also those posted meanwhile); true when
  // there were any.
  bool ProcessMessages();

  // Queues a message for the control with that handle; false when there is no
  // such control. Messages for controls freed meanwhile are dropped.
  bool PostMessage(HWND handle, unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);
  size_t PendingMessages() const { return queue_.size(); }

  void SetInputSource(std::shared_ptr<TInputSource> source) { input_ = std::move(source); }
  TInputSource* InputSource() const { return input_.get(); }
  // Delivers one input event as the person's action. False when it could not
  // reach its target (hidden, disabled, or behind a modal form); raises
  // EInputError when the target names no control.
  bool DispatchInput(const TInputEvent& event);
  // The control a path names (see input_source.h); raises EInputError.
  TControl* FindControlByPath(std::string_view path) const;

  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show_hint) { show_hint_ = show_hint; }
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int ms) { hint_pause_ = ms; }
  int HintShortPause() const { return hint_short_pause_; }
  void SetHintShortPause(int ms) { hint_short_pause_ = ms; }
  int HintHidePause() const { return hint_hide_pause_; }
  void SetHintHidePause(int ms) { hint_hide_pause_ = ms; }
  TColor HintColor() const { return hint_color_; }
  void SetHintColor(TColor color) { hint_color_ = color; }

  // Exceptions raised by handlers while the loop delivers a message or an
  // input event go here when it is set (and the loop goes on); otherwise
  // they propagate. EInputError always propagates.
  std::function<void(const std::exception&)> OnException;

 private:
  struct TPostedMessage {
    HWND Handle;
    unsigned Msg;
    WPARAM WParam;
    LPARAM LParam;
  };
  bool ProcessOneMessage();
  template <typename F>
  void Guarded(F&& step);

  TCustomForm* main_form_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  std::deque<TPostedMessage> queue_;
  std::shared_ptr<TInputSource> input_;
  bool show_hint_ = true;
  int hint_pause_ = 500;
  int hint_short_pause_ = 50;
  int hint_hide_pause_ = 2500;
  TColor hint_color_ = clInfoBk;
};

extern TApplication* Application;

// The system's message functions over native handles.
bool PostMessage(HWND handle, unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);
// Handles the message at once; 0 when there is no such control.
LRESULT SendMessage(HWND handle, unsigned msg, WPARAM wparam = 0, LPARAM lparam = 0);

// The person's actions, delivered the way the system delivers them: a click
// is a left button press and release at the control's centre; a key goes
// through the form's dialog keys (Tab, Enter, Esc, arrows) unless the control
// wants it, then to the control (the form first with KeyPreview).
void DeliverClick(TControl* control, TShiftState shift = {});
void DeliverDoubleClick(TControl* control);
// False when the form took it as a dialog key.
bool DeliverKeyDown(TWinControl* control, Word key, TShiftState shift = {});
void DeliverKeyPress(TWinControl* control, char32_t key);
void DeliverKeyUp(TWinControl* control, Word key, TShiftState shift = {});
// Down, the character the key types (unless taken as a dialog key), up.
void DeliverKeystroke(TWinControl* control, Word key, TShiftState shift = {});
void DeliverText(TWinControl* control, std::string_view text);

}  // namespace qv
