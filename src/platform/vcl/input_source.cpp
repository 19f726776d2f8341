#include "platform/vcl/input_source.h"

namespace qv {

TInputEvent TInputEvent::Click(std::string target, TShiftState shift) {
  TInputEvent e;
  e.Kind = ikClick;
  e.Target = std::move(target);
  e.Shift = shift;
  return e;
}

TInputEvent TInputEvent::DoubleClick(std::string target) {
  TInputEvent e;
  e.Kind = ikDoubleClick;
  e.Target = std::move(target);
  return e;
}

TInputEvent TInputEvent::KeyDown(Word key, TShiftState shift, std::string target) {
  TInputEvent e;
  e.Kind = ikKeyDown;
  e.Key = key;
  e.Shift = shift;
  e.Target = std::move(target);
  return e;
}

TInputEvent TInputEvent::KeyUp(Word key, TShiftState shift, std::string target) {
  TInputEvent e = KeyDown(key, shift, std::move(target));
  e.Kind = ikKeyUp;
  return e;
}

TInputEvent TInputEvent::KeyPress(std::string character, std::string target) {
  TInputEvent e;
  e.Kind = ikKeyPress;
  e.Text = std::move(character);
  e.Target = std::move(target);
  return e;
}

TInputEvent TInputEvent::Keystroke(Word key, TShiftState shift, std::string target) {
  TInputEvent e = KeyDown(key, shift, std::move(target));
  e.Kind = ikKeystroke;
  return e;
}

TInputEvent TInputEvent::TypeText(std::string text, std::string target) {
  TInputEvent e;
  e.Kind = ikTypeText;
  e.Text = std::move(text);
  e.Target = std::move(target);
  return e;
}

TInputEvent TInputEvent::SetFocus(std::string target) {
  TInputEvent e;
  e.Kind = ikSetFocus;
  e.Target = std::move(target);
  return e;
}

TInputEvent TInputEvent::CloseWindow(std::string form) {
  TInputEvent e;
  e.Kind = ikCloseWindow;
  e.Target = std::move(form);
  return e;
}

TScriptedInputSource& TScriptedInputSource::Add(TInputEvent event) {
  events_.push_back(std::move(event));
  return *this;
}

bool TScriptedInputSource::Next(TInputEvent& event) {
  if (events_.empty()) return false;
  event = std::move(events_.front());
  events_.pop_front();
  return true;
}

}  // namespace qv
