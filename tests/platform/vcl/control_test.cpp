#include <gtest/gtest.h>

#include "platform/vcl/label.h"
#include "platform/vcl/type_info.h"
#include "platform/vcl/vcl_fixture.h"

namespace qv::test {

constexpr unsigned WM_OPENLOOKUP = WM_USER + 10;

// A control that handles a message of its own and watches presses before
// passing them on.
class TProbe : public TCustomControl {
  QV_DECLARE_CLASS(TProbe)
  using TCustomControl::TCustomControl;

  std::vector<std::string> seen;

 protected:
  void WMOpenLookup(TMessage& message) {
    seen.push_back("lookup " + std::to_string(message.LParam));
    message.Result = 42;
  }
  void WMLButtonDown(TMessage& message) {
    seen.push_back("press");
    Inherited(message);
  }
};

QV_DEFINE_CLASS(TProbe, TCustomControl, r) {
  r.Message(WM_OPENLOOKUP, &TProbe::WMOpenLookup);
  r.Message(WM_LBUTTONDOWN, &TProbe::WMLButtonDown);
  r.Event("OnClick", &TProbe::OnClick);
}

namespace {

class ControlTest : public VclTest {
 protected:
  ControlTest() {
    form = CreateUnowned<TForm>();
    form->SetBorderStyle(bsNone);
    form->SetBounds(0, 0, 400, 300);
  }
  TPanel* NewPanel(TWinControl* parent, TAlign align, int size) {
    TPanel* panel = Create<TPanel>(form.get());
    panel->SetParent(parent);
    panel->SetBounds(0, 0, size, size);
    panel->SetAlign(align);
    return panel;
  }
  TComponentPtr<TForm> form;
};

TEST_F(ControlTest, AlignedChildrenShareTheClientAreaAndFollowResizes) {
  TPanel* top = NewPanel(form.get(), alTop, 40);
  TPanel* bottom = NewPanel(form.get(), alBottom, 30);
  TPanel* left = NewPanel(form.get(), alLeft, 100);
  TPanel* client = NewPanel(form.get(), alClient, 10);
  TPanel* right = NewPanel(form.get(), alRight, 50);
  struct Case {
    TPanel* panel;
    TRect bounds;
  };
  auto check = [](const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      const TRect b = c.panel->BoundsRect();
      EXPECT_EQ(b, c.bounds) << b.Left << "," << b.Top << "," << b.Right << "," << b.Bottom;
    }
  };
  check({{top, Rect(0, 0, 400, 40)},
         {bottom, Rect(0, 270, 400, 300)},
         {left, Rect(0, 40, 100, 270)},
         {right, Rect(350, 40, 400, 270)},
         {client, Rect(100, 40, 350, 270)}});

  form->SetBounds(0, 0, 500, 200);
  check({{bottom, Rect(0, 170, 500, 200)},
         {right, Rect(450, 40, 500, 170)},
         {client, Rect(100, 40, 450, 170)}});

  // Hiding one gives its room to the others; a panel's bevel keeps a margin.
  top->Hide();
  check({{left, Rect(0, 0, 100, 170)}, {client, Rect(100, 0, 450, 170)}});
  TPanel* inner = NewPanel(client, alClient, 5);
  client->SetBorderWidth(2);
  EXPECT_EQ(inner->BoundsRect(), Rect(3, 3, 347, 167));
}

TEST_F(ControlTest, StackedTopPanelsKeepTheirOrderByPosition) {
  TPanel* second = NewPanel(form.get(), alNone, 20);
  second->SetTop(50);
  TPanel* first = NewPanel(form.get(), alNone, 20);
  first->SetTop(10);
  second->SetAlign(alTop);
  first->SetAlign(alTop);
  // The control that asks for the arrangement goes first among its kind.
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(second->Top(), 20);
  form->DisableAlign();
  TPanel* added = NewPanel(form.get(), alTop, 15);
  EXPECT_EQ(second->Top(), 20);
  form->EnableAlign();
  // A tie on the top edge keeps the earlier child first.
  EXPECT_EQ(first->Top(), 0);
  EXPECT_EQ(added->Top(), 20);
  EXPECT_EQ(second->Top(), 35);
}

TEST_F(ControlTest, FontsComeFromTheParentUntilSetOnTheControl) {
  TPanel* panel = NewPanel(form.get(), alNone, 50);
  TEdit* edit = Create<TEdit>(form.get());
  edit->SetParent(panel);
  EXPECT_EQ(edit->Font()->Name(), "宋体");
  EXPECT_EQ(edit->Font()->Height(), -13);
  EXPECT_EQ(edit->Font()->Size(), 10);
  EXPECT_EQ(edit->Height(), 21);

  SetPropValue(form.get(), "Font.Name", "Tahoma");
  SetPropValue(form.get(), "Font.Charset", "134");
  EXPECT_EQ(edit->Font()->Name(), "Tahoma");
  EXPECT_EQ(edit->Font()->Charset(), GB2312_CHARSET);
  EXPECT_TRUE(edit->ParentFont());

  edit->Font()->SetSize(9);
  EXPECT_FALSE(edit->ParentFont());
  EXPECT_EQ(edit->Font()->Height(), -12);
  EXPECT_EQ(edit->Height(), 20);
  form->Font()->SetName("Arial");
  EXPECT_EQ(edit->Font()->Name(), "Tahoma");
  edit->SetParentFont(true);
  EXPECT_EQ(edit->Font()->Name(), "Arial");
  EXPECT_EQ(edit->Font()->Height(), -13);
}

TEST_F(ControlTest, MessagesReachHandlersByNumberAlongTheClassChain) {
  TProbe* probe = Create<TProbe>(form.get());
  probe->SetParent(form.get());
  probe->SetBounds(10, 10, 40, 20);
  int clicks = 0;
  probe->OnClick = [&](TObject*) { ++clicks; };
  EXPECT_EQ(probe->Perform(WM_OPENLOOKUP, 0, 7), 42);
  EXPECT_EQ(SendMessage(probe->Handle(), WM_OPENLOOKUP, 0, 8), 42);
  EXPECT_EQ(SendMessage(0x7FFFFFF, WM_OPENLOOKUP), 0);
  PostMessage(probe->Handle(), WM_OPENLOOKUP, 0, 9);
  EXPECT_EQ(probe->seen.size(), 2u);
  Application->ProcessMessages();

  // A press inside and a release outside is no click.
  probe->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 5));
  probe->Perform(WM_LBUTTONUP, 0, MakeLParam(60, 5));
  EXPECT_EQ(clicks, 0);
  form->Show();
  EXPECT_THROW(Application->DispatchInput(TInputEvent::Click("")), EInputError);
  DeliverClick(probe);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(probe->seen,
            (std::vector<std::string>{"lookup 7", "lookup 8", "lookup 9", "press", "press"}));

  // The window procedure can be replaced to watch a control's messages.
  std::vector<unsigned> watched;
  TWndMethod saved = probe->WindowProc;
  probe->WindowProc = [&](TMessage& m) {
    watched.push_back(m.Msg);
    saved(m);
  };
  probe->Perform(WM_OPENLOOKUP);
  probe->WindowProc = saved;
  EXPECT_EQ(watched, std::vector<unsigned>{WM_OPENLOOKUP});
}

TEST_F(ControlTest, ChildrenGoWithTheirParentAndAParentCannotGoInsideItsChild) {
  TPanel* outer = NewPanel(form.get(), alNone, 100);
  TPanel* inner = NewPanel(outer, alNone, 50);
  TEdit* edit = Create<TEdit>(form.get());
  edit->SetName("edInner");
  edit->SetParent(inner);
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_EQ(outer->FindChildControl("EDINNER"), edit);
  EXPECT_EQ(outer->ControlCount(), 1);
  const int before = form->ComponentCount();
  outer->Free();
  EXPECT_EQ(form->ComponentCount(), before - 3);
  EXPECT_EQ(form->FindComponent("edInner"), nullptr);
}

TEST_F(ControlTest, NamingACaptionedControlSetsItsCaptionOnce) {
  TButton* button = Create<TButton>(form.get());
  button->SetName("btnQuery");
  EXPECT_EQ(button->Caption(), "btnQuery");
  button->SetName("btnQuery2");
  EXPECT_EQ(button->Caption(), "btnQuery2");
  button->SetCaption("查询");
  button->SetName("btnQuery3");
  EXPECT_EQ(button->Caption(), "查询");
  TEdit* edit = Create<TEdit>(form.get());
  edit->SetName("edText");
  EXPECT_EQ(edit->Text(), "edText");
}

TEST_F(ControlTest, LabelsTakeTheSizeOfTheirTextInTheFixedMetric) {
  TLabel* label = Create<TLabel>(form.get());
  label->SetParent(form.get());
  struct Case {
    const char* caption;
    int width;
    int height;
  };
  const Case cases[] = {{"起", 13, 13},   {"Data1", 30, 13},    {"&Query", 30, 13},
                        {"a&&b", 18, 13}, {"制表日期", 52, 13}, {"两行\r\nab", 26, 26},
                        {"", 0, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    label->SetCaption(c.caption);
    EXPECT_EQ(label->Width(), c.width);
    EXPECT_EQ(label->Height(), c.height);
  }
  label->SetAlignment(taRightJustify);
  label->SetBounds(100, 0, 40, 13);
  label->SetCaption("ab");
  EXPECT_EQ(label->Left(), 128);
  EXPECT_EQ(label->Width(), 12);
}

TEST_F(ControlTest, RepaintRequestsAreCounted) {
  TPanel* panel = NewPanel(form.get(), alNone, 20);
  const int before = panel->InvalidateCount();
  panel->SetColor(clRed);
  panel->SetCaption("x");
  panel->Invalidate();
  EXPECT_EQ(panel->InvalidateCount(), before + 3);
}

class EditTest : public VclTest {
 protected:
  TTestForm t;
};

TEST_F(EditTest, TypingFollowsTheEditRules) {
  t.form->Show();
  std::vector<std::string> changes;
  t.edCode->OnChange = [&](TObject*) { changes.push_back(t.edCode->Text()); };
  t.edCode->SetText("old");
  input->Add(TInputEvent::Keystroke(VK_TAB))
      .TypeText("选择12")
      .Keystroke(VK_BACK)
      .Keystroke(VK_LEFT)
      .Keystroke(VK_LEFT)
      .Keystroke(VK_DELETE);
  while (input->Pending() > 0) Application->HandleMessage();
  // Tabbing in selects everything, so typing replaced "old".
  EXPECT_EQ(t.edCode->Text(), "选1");
  EXPECT_EQ(changes.front(), "old");
  EXPECT_EQ(changes.back(), "选1");
  EXPECT_TRUE(t.edCode->Modified());

  t.edCode->SetMaxLength(4);
  t.edCode->SetSelStart(3);
  DeliverText(t.edCode, "abcdef");
  EXPECT_EQ(t.edCode->Text(), "选1ab");
  t.edCode->SetReadOnly(true);
  DeliverText(t.edCode, "x");
  DeliverKeystroke(t.edCode, VK_BACK);
  EXPECT_EQ(t.edCode->Text(), "选1ab");
  t.edCode->SetText("");
  EXPECT_EQ(changes.back(), "");
}

TEST_F(EditTest, AClickPlacesTheCaretInsteadOfSelectingAll) {
  t.edCode->SetText("abc");
  t.form->Show();
  input->Click("edCode").TypeText("d");
  while (input->Pending() > 0) Application->HandleMessage();
  EXPECT_EQ(t.edCode->Text(), "abcd");
  t.edCode->SetCharCase(ecUpperCase);
  EXPECT_EQ(t.edCode->Text(), "ABCD");
}

}  // namespace
}  // namespace qv::test
