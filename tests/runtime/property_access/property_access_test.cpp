#include "runtime/property_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/vcl/button.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/font.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace ravlet {
namespace {

using qv::TComponentPtr;

// A component with the property kinds controls do not offer: a read-only
// text, a set and a Byte.
class TPropProbe : public qv::TComponent {
  QV_DECLARE_CLASS(TPropProbe)
 public:
  using qv::TComponent::TComponent;
  std::string Serial() const { return "S-17"; }
  qv::TFontStyles Styles() const { return styles_; }
  void SetStyles(qv::TFontStyles styles) { styles_ = styles; }
  uint8_t Gap() const { return gap_; }
  void SetGap(uint8_t gap) { gap_ = gap; }

 private:
  qv::TFontStyles styles_;
  uint8_t gap_ = 2;
};

QV_DEFINE_CLASS(TPropProbe, qv::TComponent, r) {
  r.Property("Serial", &TPropProbe::Serial);
  r.Property("Styles", &TPropProbe::Styles, &TPropProbe::SetStyles);
  r.Property("Gap", &TPropProbe::Gap, &TPropProbe::SetGap);
}

class PropertyAccessTest : public ::testing::Test {
 protected:
  PropertyAccessTest() {
    form = qv::CreateUnowned<qv::TForm>();
    edit = qv::Create<qv::TEdit>(form.get());
    edit->SetName("edCode");
    edit->SetParent(form.get());
    label = qv::Create<qv::TLabel>(form.get());
    label->SetParent(form.get());
    probe = qv::Create<TPropProbe>(form.get());
  }

  TComponentPtr<qv::TForm> form;
  qv::TEdit* edit;
  qv::TLabel* label;
  TPropProbe* probe;
};

TEST_F(PropertyAccessTest, MissingComponentNameOrPropertyGivesEmptyResultsAndChangesNothing) {
  edit->SetText("A01");
  edit->SetMaxLength(8);
  const qv::TMethod handler = qv::TNotifyEvent(form.get(), [](qv::TObject*) {}).Method();
  edit->OnChange = qv::TNotifyEvent(handler);
  struct Case {
    const char* what;
    qv::TObject* component;
    std::string name;
  };
  const Case cases[] = {
      {"no component", nullptr, "Text"},
      {"empty name", edit, ""},
      {"no such property", edit, "Txet"},
      {"no such step in a path", edit, "Font.Nmae"},
      {"path through a non-object", edit, "Text.Length"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GetStrPropByName(c.component, c.name), "");
    EXPECT_EQ(GetOrdPropByName(c.component, c.name), 0);
    EXPECT_FALSE(GetMethodPropByName(c.component, c.name).Assigned());
    EXPECT_FALSE(HasPropertyByName(c.component, c.name));
    SetStrPropByName(c.component, c.name, "B02");
    SetOrdPropByName(c.component, c.name, 3);
    SetMethodPropByName(c.component, c.name, qv::TMethod{});
  }
  EXPECT_EQ(edit->Text(), "A01");
  EXPECT_EQ(edit->MaxLength(), 8);
  EXPECT_TRUE(edit->OnChange.Method() == handler);
}

TEST_F(PropertyAccessTest, PropertyOfAnotherKindOrOutOfRangeValueIsLeftAlone) {
  edit->SetText("A01");
  edit->SetMaxLength(8);
  edit->SetCharCase(qv::ecUpperCase);
  probe->SetGap(2);
  // A text read as an ordinal and an ordinal read as a text.
  EXPECT_EQ(GetOrdPropByName(edit, "Text"), 0);
  EXPECT_EQ(GetStrPropByName(edit, "MaxLength"), "");
  EXPECT_FALSE(GetMethodPropByName(edit, "Text").Assigned());
  SetOrdPropByName(edit, "Text", 5);
  SetStrPropByName(edit, "MaxLength", "12");
  EXPECT_EQ(edit->Text(), "A01");
  EXPECT_EQ(edit->MaxLength(), 8);

  SetOrdPropByName(edit, "CharCase", 7);   // beyond ecLowerCase
  SetOrdPropByName(probe, "Gap", 300);     // a Byte
  SetStrPropByName(probe, "Serial", "X");  // read-only
  EXPECT_EQ(edit->CharCase(), qv::ecUpperCase);
  EXPECT_EQ(probe->Gap(), 2);
  EXPECT_EQ(GetStrPropByName(probe, "Serial"), "S-17");

  // An event handler of another signature is not put on a notify event.
  qv::TKeyEvent key_handler(form.get(), [](qv::TObject*, qv::Word&, qv::TShiftState) {});
  SetMethodPropByName(edit, "OnChange", key_handler.Method());
  EXPECT_FALSE(edit->OnChange.Assigned());
  SetMethodPropByName(edit, "OnKeyDown", key_handler.Method());
  EXPECT_TRUE(edit->OnKeyDown == key_handler);
}

TEST_F(PropertyAccessTest, ReadsAndWritesTextsOrdinalsEnumerationsColoursAndSets) {
  SetStrPropByName(edit, "text", "区间 A");
  EXPECT_EQ(edit->Text(), "区间 A");
  EXPECT_EQ(GetStrPropByName(edit, "Text"), "区间 A");
  SetStrPropByName(label, "Caption", "编号");
  EXPECT_EQ(label->Caption(), "编号");
  SetStrPropByName(edit, "Font.Name", "Tahoma");
  EXPECT_EQ(edit->Font()->Name(), "Tahoma");

  struct Case {
    const char* name;
    int64_t value;
    int64_t (*read)(const qv::TEdit&);
  };
  const Case cases[] = {
      {"MaxLength", 12, [](const qv::TEdit& e) -> int64_t { return e.MaxLength(); }},
      {"Width", 240, [](const qv::TEdit& e) -> int64_t { return e.Width(); }},
      {"CharCase", qv::ecLowerCase, [](const qv::TEdit& e) -> int64_t { return e.CharCase(); }},
      {"Align", qv::alClient, [](const qv::TEdit& e) -> int64_t { return e.Align(); }},
      {"Enabled", 0, [](const qv::TEdit& e) -> int64_t { return e.Enabled() ? 1 : 0; }},
      {"Color", qv::clRed, [](const qv::TEdit& e) -> int64_t { return e.Color(); }},
      {"Color", qv::clBtnFace, [](const qv::TEdit& e) -> int64_t { return e.Color(); }},
      {"Font.Color", qv::clNavy, [](const qv::TEdit& e) -> int64_t { return e.Font()->Color(); }},
      {"PasswordChar", '*', [](const qv::TEdit& e) -> int64_t { return e.PasswordChar(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetOrdPropByName(edit, c.name, c.value);
    EXPECT_EQ(c.read(*edit), c.value);
    EXPECT_EQ(GetOrdPropByName(edit, c.name), c.value);
  }

  SetOrdPropByName(probe, "Styles", qv::TFontStyles{qv::fsBold, qv::fsUnderline}.Bits());
  EXPECT_EQ(probe->Styles(), (qv::TFontStyles{qv::fsBold, qv::fsUnderline}));
  EXPECT_EQ(GetOrdPropByName(probe, "Styles"), 0b101);
}

TEST_F(PropertyAccessTest, EventsAreReadReplacedAndCleared) {
  std::vector<std::string> calls;
  qv::TNotifyEvent first(form.get(), [&](qv::TObject*) { calls.push_back("first"); });
  qv::TNotifyEvent second(form.get(), [&](qv::TObject*) { calls.push_back("second"); });
  edit->OnExit = first;

  // The handler read by name is the one the control holds, and calling it
  // runs that handler; it can be kept and put back after another one.
  const qv::TMethod saved = GetMethodPropByName(edit, "OnExit");
  EXPECT_TRUE(saved == first.Method());
  qv::CallMethod<qv::TObject*>(saved, edit);
  SetMethodPropByName(edit, "OnExit", second.Method());
  edit->OnExit(edit);
  SetMethodPropByName(edit, "OnExit", saved);
  edit->OnExit(edit);
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "second", "first"}));

  SetMethodPropByName(edit, "OnExit", qv::TMethod{});
  EXPECT_FALSE(edit->OnExit.Assigned());
  EXPECT_TRUE(HasPropertyByName(edit, "OnExit"));
  EXPECT_TRUE(HasPropertyByName(probe, "Serial"));
}

// A button whose message handling is watched: it records every message it
// receives, then handles it as usual.
class SimulateClickTest : public PropertyAccessTest {
 protected:
  SimulateClickTest() {
    button = qv::Create<qv::TButton>(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 80, 24);
    button->OnClick = [this](qv::TObject*) { seen.push_back("click"); };
    qv::TWndMethod original = button->WindowProc;
    button->WindowProc = [this, original](qv::TMessage& message) {
      if (message.Msg == qv::WM_LBUTTONDOWN || message.Msg == qv::WM_LBUTTONUP) {
        seen.push_back((message.Msg == qv::WM_LBUTTONDOWN ? "down " : "up ") +
                       std::to_string(message.WParam) + " " +
                       std::to_string(qv::LParamX(message.LParam)) + "," +
                       std::to_string(qv::LParamY(message.LParam)));
      }
      original(message);
    };
  }
  qv::TButton* button;
  std::vector<std::string> seen;
};

TEST_F(SimulateClickTest, DeliversDownThenUpWithTheGivenParameters) {
  SimulateClick(button, qv::MK_LBUTTON, qv::MakeLParam(5, 6));
  EXPECT_EQ(seen, (std::vector<std::string>{"down 1 5,6", "up 1 5,6", "click"}));
}

TEST_F(SimulateClickTest, AReleaseOutsideTheControlIsNoClick) {
  SimulateClick(button, 0, qv::MakeLParam(200, 6));
  EXPECT_EQ(seen, (std::vector<std::string>{"down 0 200,6", "up 0 200,6"}));
  SimulateClick(nullptr, 0, 0);
}

}  // namespace
}  // namespace ravlet
