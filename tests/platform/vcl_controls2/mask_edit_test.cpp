#include "platform/vcl/mask_edit.h"

#include <gtest/gtest.h>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls2/controls2_fixture.h"

namespace qv::test {
namespace {

class MaskEditTest : public Controls2Test {
 protected:
  MaskEditTest() {
    edit = Place<TMaskEdit>("meDate");
    edit->OnChange = Note("change");
    form->Show();
  }
  TMaskEdit* edit;
};

TEST_F(MaskEditTest, TextsUnderTheMask) {
  struct Case {
    const char* mask;
    const char* value;
    const char* edit_text;
    const char* text;
  };
  const Case cases[] = {
      // The empty texts of the date and year-month masks of every date style.
      {"9999/99/99;1; ", "", "    /  /  ", "    /  /  "},
      {"99/99/9999;1; ", "", "  /  /    ", "  /  /    "},
      {"99/99/99;1; ", "", "  /  /  ", "  /  /  "},
      {"999/99/99;1; ", "", "   /  /  ", "   /  /  "},
      {"9999/99;1; ", "", "    /  ", "    /  "},
      {"99/9999;1; ", "", "  /    ", "  /    "},
      {"9999-99-99;1; ", "", "    -  -  ", "    -  -  "},
      // A value with or without its literals fills the same positions.
      {"9999/99/99;1; ", "20230105", "2023/01/05", "2023/01/05"},
      {"9999/99/99;1; ", "2023/01/05", "2023/01/05", "2023/01/05"},
      {"9999/99/99;0; ", "2023/01/05", "2023/01/05", "20230105"},
      {"9999/99/99;0;_", "2023", "2023/__/__", "2023"},
      {"9999/99/99;1; ", "2023/1", "2023/1 /  ", "2023/1 /  "},
      {"9999年99月;1; ", "202301", "2023年01月", "2023年01月"},
      // Characters a position does not take leave it unfilled.
      {"9999;1;_", "12ab", "12__", "12  "},
      {"LL-00;1;_", "1a-23", "_a-23", " a-23"},
      // Case conversion, escapes, literal blanks, defaults of the pieces.
      {">LL<ll<>cc;0;_", "abCDeF", "ABcdeF", "ABcdeF"},
      {"\\9\\;99;1;*", "12", "9;12", "9;12"},
      {"\\A-999;1;_", "5", "A-5__", "A-5  "},
      {"99_99;0;*", "1234", "12 34", "1234"},
      {"999", "12", "12_", "12 "},
      {"!999;0;_", "12", "_12", "12"},
      {"#99;1;_", "-5", "-5_", "-5 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.value + "\"");
    edit->SetEditMask("");
    edit->SetText("");
    edit->SetEditMask(c.mask);
    edit->SetText(c.value);
    EXPECT_EQ(edit->EditText(), c.edit_text);
    EXPECT_EQ(edit->Text(), c.text);
    EXPECT_EQ(FormatMaskText(c.mask, c.value), c.text);
  }
}

TEST_F(MaskEditTest, MaskPiecesSetLengthAndMaskedState) {
  EXPECT_FALSE(edit->IsMasked());
  edit->SetEditMask("9999/99/99;1; ");
  EXPECT_TRUE(edit->IsMasked());
  EXPECT_EQ(edit->MaxLength(), 10);
  edit->SetEditMask(";1;_");
  EXPECT_FALSE(edit->IsMasked());
  EXPECT_EQ(edit->MaxLength(), 0);
  edit->SetText("free text");
  EXPECT_EQ(edit->Text(), "free text");
}

TEST_F(MaskEditTest, TypingFillsPositionsAndSkipsLiterals) {
  struct Case {
    const char* mask;
    const char* typed;
    const char* edit_text;
  };
  const Case cases[] = {
      {"9999/99/99;1; ", "20230105", "2023/01/05"},
      {"9999/99/99;1; ", "2023/01/05", "2023/01/05"},
      {"9999/99/99;1; ", "20x23a0105", "2023/01/05"},
      {"9999/99/99;1; ", "202301059999", "2023/01/05"},
      {">LLL-000;1;_", "abc123", "ABC-123"},
      {"(999)9;1;_", "(12)3", "(123)_"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " typed " + c.typed);
    edit->SetEditMask(c.mask);
    edit->SetText("");
    edit->SetFocus();
    DeliverText(edit, c.typed);
    EXPECT_EQ(edit->EditText(), c.edit_text);
    EXPECT_TRUE(edit->Modified());
    other->SetFocus();
  }
}

TEST_F(MaskEditTest, RefusedCharactersChangeNothing) {
  edit->SetEditMask("9999/99/99;1; ");
  edit->SetFocus();
  journal.clear();
  DeliverText(edit, "ab");
  EXPECT_EQ(edit->EditText(), "    /  /  ");
  EXPECT_TRUE(journal.empty());
  DeliverText(edit, "2");
  EXPECT_EQ(journal, Journal{"change"});
}

TEST_F(MaskEditTest, BackspaceAndDeleteClearPositionsInPlace) {
  edit->SetEditMask("9999/99/99;1; ");
  edit->SetText("2023/01/05");
  edit->SetFocus();
  edit->SetSelStart(8);
  DeliverKeystroke(edit, VK_BACK);
  EXPECT_EQ(edit->EditText(), "2023/0 /05");
  EXPECT_EQ(edit->SelStart(), 6);
  DeliverKeystroke(edit, VK_BACK);
  EXPECT_EQ(edit->EditText(), "2023/  /05");
  edit->SetSelStart(4);
  DeliverKeystroke(edit, VK_DELETE);
  EXPECT_EQ(edit->EditText(), "2023/  /05");
  edit->SetSelStart(8);
  DeliverKeystroke(edit, VK_DELETE);
  EXPECT_EQ(edit->EditText(), "2023/  / 5");
  // A selection is cleared as a whole; the literals stay.
  edit->SelectAll();
  DeliverKeystroke(edit, VK_BACK);
  EXPECT_EQ(edit->EditText(), "    /  /  ");
  EXPECT_EQ(edit->SelStart(), 0);
}

TEST_F(MaskEditTest, ReadOnlyEditRefusesTyping) {
  edit->SetEditMask("9999;1;_");
  edit->SetText("12");
  edit->SetReadOnly(true);
  edit->SetFocus();
  DeliverText(edit, "34");
  DeliverKeystroke(edit, VK_BACK);
  EXPECT_EQ(edit->EditText(), "12__");
}

TEST_F(MaskEditTest, ChangingTheMaskKeepsTheText) {
  // A plain text is fitted into a new mask.
  edit->SetText("20230105");
  edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(edit->EditText(), "2023/01/05");
  // Another blank character: the old blanks stay unfilled.
  edit->SetText("2023");
  edit->SetEditMask("9999/99/99;1;_");
  EXPECT_EQ(edit->EditText(), "2023/__/__");
  // Literals left out of Text: the text as shown does not change.
  edit->SetEditMask("9999/99/99;0;_");
  EXPECT_EQ(edit->EditText(), "2023/__/__");
  EXPECT_EQ(edit->Text(), "2023");
}

// The window finds the text a masked edit shows when empty by switching the
// literals off, clearing, switching them on and reading; then it restores.
TEST_F(MaskEditTest, EmptyTextFoundByTogglingTheLiteralsPiece) {
  edit->SetEditMask("9999/99/99;1; ");
  edit->SetText("2023/01/05");
  const std::string saved = edit->Text();
  edit->SetEditMask("9999/99/99;0; ");
  edit->SetText("");
  edit->SetEditMask("9999/99/99;1; ");
  EXPECT_EQ(edit->Text(), "    /  /  ");
  edit->SetText(saved);
  EXPECT_EQ(edit->Text(), "2023/01/05");
}

TEST_F(MaskEditTest, ValidateEditRequiresRequiredPositions) {
  struct Case {
    const char* mask;
    const char* value;
    bool valid;
    int caret;
  };
  const Case cases[] = {
      {"000;1;_", "12", false, 2},    {"000;1;_", "123", true, 0}, {"9999/99/99;1; ", "", true, 0},
      {"LL-00;0;_", "ab3", false, 4}, {"aA;1;_", "", false, 1},    {"C;1;_", "#", true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " <- " + c.value);
    edit->SetEditMask(c.mask);
    edit->SetText(c.value);
    if (c.valid) {
      EXPECT_NO_THROW(edit->ValidateEdit());
    } else {
      EXPECT_THROW(edit->ValidateEdit(), EDBEditError);
      EXPECT_EQ(edit->SelStart(), c.caret);
    }
  }
}

TEST_F(MaskEditTest, PublishedTextIsTheTextUnderTheMask) {
  SetPropValue(edit, "EditMask", "9999/99/99;0; ");
  SetPropValue(edit, "Text", "2023/01/05");
  EXPECT_EQ(GetPropValue(edit, "Text"), "20230105");
  EXPECT_EQ(GetStrProp(edit, "EditMask"), "9999/99/99;0; ");
  EXPECT_EQ(edit->Caption(), "2023/01/05");
}

}  // namespace
}  // namespace qv::test
