#include "platform/vcl/dialogs.h"

#include <algorithm>
#include <vector>

#include "platform/vcl/application.h"
#include "platform/vcl/image.h"

namespace qv {

namespace {

struct TButtonInfo {
  const char* Name;
  const char* Caption;
  TModalResult Result;
};

const TButtonInfo& InfoOf(TMsgDlgBtn button) {
  static const TButtonInfo kButtons[] = {{"Yes", "&Yes", mrYes},
                                         {"No", "&No", mrNo},
                                         {"OK", "OK", mrOk},
                                         {"Cancel", "Cancel", mrCancel},
                                         {"Abort", "&Abort", mrAbort},
                                         {"Retry", "&Retry", mrRetry},
                                         {"Ignore", "&Ignore", mrIgnore},
                                         {"All", "&All", mrAll},
                                         {"NoToAll", "N&o to All", mrNoToAll},
                                         {"YesToAll", "Yes to &All", mrYesToAll},
                                         {"Help", "&Help", mrNone}};
  return kButtons[static_cast<int>(button)];
}

// Layout of the dialog, in pixels.
constexpr int kMargin = 8;
constexpr int kIconSize = 32;
constexpr int kSpacing = 10;
constexpr int kButtonHeight = 25;
constexpr int kButtonMinWidth = 75;
constexpr int kButtonGap = 6;

// The kind's icon: a disc in the kind's colour with a white sign in its
// middle, on the button face.
void DrawDialogIcon(TBitmap& icon, TMsgDlgType type) {
  icon.SetSize(kIconSize, kIconSize);
  TCanvas* canvas = icon.Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(Rect(0, 0, kIconSize, kIconSize));
  const TColor colors[] = {clYellow, clRed, clBlue, clNavy};
  const TColor disc = colors[static_cast<int>(type)];
  const int r = kIconSize / 2 - 1;
  for (int y = 0; y < kIconSize; ++y)
    for (int x = 0; x < kIconSize; ++x) {
      const int dx = x - kIconSize / 2;
      const int dy = y - kIconSize / 2;
      if (dx * dx + dy * dy <= r * r) canvas->SetPixel(x, y, disc);
    }
  canvas->Brush()->SetColor(type == mtWarning ? clBlack : clWhite);
  canvas->FillRect(Rect(14, 8, 18, 20));
  canvas->FillRect(Rect(14, 22, 18, 26));
}

}  // namespace

QV_DEFINE_CLASS(TMessageForm, TForm, r) {}

TButton* TMessageForm::Button(TMsgDlgBtn button) const {
  return FindComponentAs<TButton>(InfoOf(button).Name);
}

std::string MsgDlgButtonName(TMsgDlgBtn button) {
  return InfoOf(button).Name;
}
std::string MsgDlgButtonCaption(TMsgDlgBtn button) {
  return InfoOf(button).Caption;
}
TModalResult MsgDlgButtonResult(TMsgDlgBtn button) {
  return InfoOf(button).Result;
}

std::string MsgDlgTitle(TMsgDlgType type) {
  switch (type) {
    case mtWarning:
      return "Warning";
    case mtError:
      return "Error";
    case mtInformation:
      return "Information";
    case mtConfirmation:
      return "Confirm";
    default:
      return Application ? Application->Title() : std::string();
  }
}

TComponentPtr<TMessageForm> CreateMessageDialog(const std::string& text, TMsgDlgType type,
                                                TMsgDlgButtons buttons) {
  TComponentPtr<TMessageForm> dialog = CreateUnowned<TMessageForm>();
  dialog->type_ = type;
  dialog->SetBorderStyle(bsDialog);
  dialog->SetPosition(poScreenCenter);
  dialog->SetCaption(MsgDlgTitle(type));

  int text_left = kMargin;
  if (type != mtCustom) {
    TImage* image = Create<TImage>(dialog.get());
    image->SetName("Image");
    image->SetParent(dialog.get());
    image->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
    DrawDialogIcon(*image->Picture()->Bitmap(), type);
    text_left += kIconSize + kSpacing;
  }
  TLabel* message = Create<TLabel>(dialog.get());
  message->SetName("Message");
  message->SetShowAccelChar(false);
  message->SetParent(dialog.get());
  message->SetCaption(text);
  message->SetLeft(text_left);
  message->SetTop(kMargin);

  std::vector<TMsgDlgBtn> chosen;
  for (int b = mbYes; b <= mbHelp; ++b)
    if (buttons.Contains(static_cast<TMsgDlgBtn>(b))) chosen.push_back(static_cast<TMsgDlgBtn>(b));
  const TMsgDlgBtn default_button = buttons.Contains(mbOK)    ? mbOK
                                    : buttons.Contains(mbYes) ? mbYes
                                                              : mbRetry;
  const TMsgDlgBtn cancel_button = buttons.Contains(mbCancel) ? mbCancel
                                   : buttons.Contains(mbNo)   ? mbNo
                                                              : mbOK;

  int button_width = kButtonMinWidth;
  for (TMsgDlgBtn b : chosen)
    button_width =
        std::max(button_width, dialog->Font()->TextWidth(StripAccelChars(InfoOf(b).Caption)) + 16);
  const int count = static_cast<int>(chosen.size());
  const int buttons_width = count * button_width + std::max(count - 1, 0) * kButtonGap;
  const int text_bottom =
      std::max(message->Top() + message->Height(), type != mtCustom ? kMargin + kIconSize : 0);
  const int client_width =
      std::max(text_left + message->Width() + kMargin, buttons_width + 2 * kMargin);
  const int buttons_top = text_bottom + kSpacing;
  dialog->SetClientWidth(client_width);
  dialog->SetClientHeight(buttons_top + kButtonHeight + kMargin);

  int left = (client_width - buttons_width) / 2;
  int tab_order = 0;
  for (TMsgDlgBtn b : chosen) {
    TButton* button = Create<TButton>(dialog.get());
    button->SetName(InfoOf(b).Name);
    button->SetCaption(InfoOf(b).Caption);
    button->SetModalResult(InfoOf(b).Result);
    button->SetDefault(b == default_button);
    button->SetCancel(b == cancel_button);
    button->SetParent(dialog.get());
    button->SetBounds(left, buttons_top, button_width, kButtonHeight);
    button->SetTabOrder(tab_order++);
    if (b == default_button) dialog->SetActiveControl(button);
    left += button_width + kButtonGap;
  }
  return dialog;
}

TModalResult MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
  TComponentPtr<TMessageForm> dialog = CreateMessageDialog(text, type, buttons);
  return dialog->ShowModal();
}

void ShowMessage(const std::string& text) {
  MessageDlg(text, mtCustom, {mbOK});
}

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
  TMsgDlgButtons buttons;
  switch (flags & 0x0F) {
    case MB_OKCANCEL:
      buttons = mbOKCancel;
      break;
    case MB_ABORTRETRYIGNORE:
      buttons = mbAbortRetryIgnore;
      break;
    case MB_YESNOCANCEL:
      buttons = mbYesNoCancel;
      break;
    case MB_YESNO:
      buttons = {mbYes, mbNo};
      break;
    case MB_RETRYCANCEL:
      buttons = {mbRetry, mbCancel};
      break;
    default:
      buttons = {mbOK};
      break;
  }
  TMsgDlgType type = mtCustom;
  switch (flags & 0xF0) {
    case MB_ICONERROR:
      type = mtError;
      break;
    case MB_ICONQUESTION:
      type = mtConfirmation;
      break;
    case MB_ICONWARNING:
      type = mtWarning;
      break;
    case MB_ICONINFORMATION:
      type = mtInformation;
      break;
    default:
      break;
  }
  TComponentPtr<TMessageForm> dialog = CreateMessageDialog(text, type, buttons);
  dialog->SetCaption(caption);
  return dialog->ShowModal();
}

}  // namespace qv
