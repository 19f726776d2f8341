#include "controls/small/small_fixture.h"

#include "platform/vcl/screen.h"
#include "platform/vcl/win_control.h"

namespace ravlet::test {

QV_DEFINE_CLASS(TLookupForm, qv::TForm, r) {
  r.Message(WM_OPENLOOKUP, &TLookupForm::WMOpenLookup);
}

void TLookupForm::WMOpenLookup(qv::TMessage& message) {
  qv::TControl* control = LookupControlOf(message);
  auto* windowed = dynamic_cast<qv::TWinControl*>(control);
  requests.push_back({control, message.WParam, windowed != nullptr && windowed->Focused()});
}

bool TDialogRecorder::Next(qv::TInputEvent& event) {
  auto* dialog = dynamic_cast<qv::TMessageForm*>(qv::Screen->ActiveForm());
  if (dialog == nullptr) return false;
  texts.push_back(dialog->Message()->Caption());
  kinds.push_back(dialog->DialogType());
  event = qv::TInputEvent::Click("OK");
  return true;
}

}  // namespace ravlet::test
