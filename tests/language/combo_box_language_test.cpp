// Combo boxes keep their selected item while packages and conversions replace
// their items and style.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/code_converter.h"
#include "language/component_read.h"
#include "language/language_fixture.h"
#include "platform/vcl/combo_box.h"
#include "platform/vcl/form.h"
#include "platform/xml/xml_document.h"

namespace ravlet {
namespace {

using testing::LanguageInstall;
using Lines = std::vector<std::string>;

qv::TComboBox* MakeCombo(qv::TForm* window, qv::TComboBoxStyle style, int selected) {
  auto* combo = qv::Create<qv::TComboBox>(window);
  combo->SetName("cboDateType");
  combo->SetParent(window);
  combo->SetStyle(style);
  for (const char* item : {"年月日", "月日年", "日月年"}) combo->Items()->Add(item);
  combo->SetItemIndex(selected);
  return combo;
}

TEST(ComboBoxLanguageTest, PackageItemsKeepTheSelection) {
  auto window = qv::CreateUnowned<qv::TForm>();
  qv::TComboBox* combo = MakeCombo(window.get(), qv::csDropDownList, 2);
  qv::TXMLDocument doc;
  doc.LoadFromText("<cboDateType Items_1=\"MDY\" Items_2=\"DMY\" Items_4=\"Other\"/>");
  auto reader = TReaderFactory::CreateReader(combo, doc.DocumentElement());
  ASSERT_NE(dynamic_cast<TCustomComboBoxRead*>(reader.get()), nullptr);
  reader->ReadAttributes();
  EXPECT_EQ(combo->Items()->ToVector(), (Lines{"年月日", "MDY", "DMY", "", "Other"}));
  EXPECT_EQ(combo->ItemIndex(), 2);
}

TEST(ComboBoxLanguageTest, ConversionKeepsTheSelectionAndOwnerDraws) {
  struct Case {
    qv::TComboBoxStyle style;
    int selected;
    qv::TComboBoxStyle expectedStyle;
    int expectedIndex;
  };
  const Case cases[] = {
      {qv::csDropDownList, 1, qv::csOwnerDrawFixed, 1},
      {qv::csDropDown, 2, qv::csOwnerDrawFixed, 2},
      // Nothing selected: the first item is.
      {qv::csDropDownList, -1, qv::csOwnerDrawFixed, 0},
      // The simple style keeps its style.
      {qv::csSimple, 1, qv::csSimple, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.style));
    LanguageInstall install({936, "950", "936"});
    auto window = qv::CreateUnowned<qv::TForm>();
    auto* converter = qv::Create<TCodeConverter>(window.get());
    qv::TComboBox* combo = MakeCombo(window.get(), c.style, c.selected);
    converter->ConvertForm(window.get());
    EXPECT_EQ(combo->Items()->ToVector(), (Lines{"年月日", "月日年", "日月年"}));
    EXPECT_EQ(combo->Style(), c.expectedStyle);
    EXPECT_EQ(combo->ItemIndex(), c.expectedIndex);
  }
}

}  // namespace
}  // namespace ravlet
