#include "language/language_controller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "language/component_read.h"
#include "language/lang_test_window.h"
#include "language/language_fixture.h"
#include "platform/text/code_page.h"
#include "platform/vcl/colors.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

using testing::CodePages;
using testing::LanguageInstall;
using testing::TfrmLangTest;

TEST(LanguageFolderTest, FollowsTheUserInterfaceCodePage) {
  struct Case {
    const char* codePage;
    const char* folderMade;  // below the installation, or nullptr
    bool server;
    const char* expected;
  };
  const Case cases[] = {
      {"950", "Erp/MultiLanguage/CHT", false, "D:\\Erp\\MultiLanguage\\CHT\\"},
      {"936", "Erp/MultiLanguage/CHS", false, "D:\\Erp\\MultiLanguage\\CHS\\"},
      {"437", "Erp/MultiLanguage/ENG", false, "D:\\Erp\\MultiLanguage\\ENG\\"},
      {"950", "Srv/MultiLanguage/CHT", true, "D:\\Srv\\MultiLanguage\\CHT\\"},
      // The folder must exist.
      {"950", nullptr, false, ""},
      {"950", "Erp/MultiLanguage/CHT", true, ""},
      // Other code pages have no language folder.
      {"1252", "Erp/MultiLanguage/CHT", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.codePage) + (c.server ? " server" : " client"));
    LanguageInstall install({936, c.codePage, "936"});
    if (c.folderMade) std::filesystem::create_directories(install.Files().Path(c.folderMade));
    EXPECT_EQ(TLanguageController::GetLangFolder(c.server), c.expected);
  }
}

TEST(LanguageFolderTest, PackageNameGivesTheFileName) {
  {
    LanguageInstall install({936, "950", "936"});
    std::filesystem::create_directories(install.Files().Path("Erp/MultiLanguage/CHT"));
    auto controller = qv::CreateUnowned<TQvLangController>();
    controller->SetLangPackageName("TfrmX");
    EXPECT_EQ(controller->FileName(), "D:\\Erp\\MultiLanguage\\CHT\\TfrmX.Lng");
  }
  {
    LanguageInstall install({936, "1252", "936"});
    auto controller = qv::CreateUnowned<TQvLangController>();
    controller->SetLangPackageName("TfrmX");
    EXPECT_EQ(controller->FileName(), "TfrmX.Lng");
  }
}

class LanguageControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { install_.CopyPackages(); }

  // Activates the package of the test window and applies it.
  void Apply(TfrmLangTest* window) {
    controller_->SetLangPackageName("TfrmLangTest");
    controller_->SetActive(true);
    controller_->GetReader()->ReadComponent(window);
  }

  LanguageInstall install_{{936, "437", "936"}};
  qv::TComponentPtr<TQvLangController> controller_ = qv::CreateUnowned<TQvLangController>();
};

TEST_F(LanguageControllerTest, ActivationFailuresRaiseControllerErrors) {
  struct Case {
    const char* fileName;
    const char* message;  // the start of the message
  };
  install_.Files().WriteFile("Erp/Broken.Lng", "<a>\n<b></a>");
  const Case cases[] = {
      {"", "Cannot Find File !"},
      {"D:\\Erp\\Missing.Lng", "Cannot Find File D:\\Erp\\Missing.Lng!"},
      {"D:\\Erp\\Broken.Lng", "Start-end tags mismatch"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName);
    controller_->SetFileName(c.fileName);
    try {
      controller_->SetActive(true);
      ADD_FAILURE() << "no error";
    } catch (const LanguageControllerError& e) {
      EXPECT_EQ(e.Message().substr(0, std::string(c.message).size()), c.message) << e.Message();
      EXPECT_EQ(e.ClassName(), "LanguageControllerError");
    }
    EXPECT_FALSE(controller_->Active());
    try {
      controller_->GetReader();
      ADD_FAILURE() << "no error";
    } catch (const LanguageControllerError& e) {
      EXPECT_EQ(e.Message(), "No active LanguageController!");
    }
  }
}

TEST_F(LanguageControllerTest, OpensAndClosesWithItsNotifications) {
  std::vector<std::string> events;
  auto record = [&events](const char* name) {
    return qv::TNotifyEvent([&events, name](qv::TObject*) { events.push_back(name); });
  };
  controller_->BeforeOpen = record("BeforeOpen");
  controller_->AfterOpen = record("AfterOpen");
  controller_->BeforeClose = record("BeforeClose");
  controller_->AfterClose = record("AfterClose");

  controller_->SetLangPackageName("TfrmLangTest");
  controller_->SetActive(true);
  EXPECT_TRUE(controller_->Active());
  controller_->SetActive(true);  // already open: nothing happens
  EXPECT_EQ(controller_->Document()->DocumentElement().NodeName(), "TfrmLangTest");

  // Text in XMLText is loaded instead of the file; changing it deactivates.
  qv::TStringList text;
  text.Add("<TfrmOther Caption=\"from text\"/>");
  controller_->SetXMLText(text);
  EXPECT_FALSE(controller_->Active());
  controller_->SetActive(true);
  EXPECT_EQ(controller_->Document()->DocumentElement().NodeName(), "TfrmOther");
  controller_->XMLText()->Add("<!-- more -->");
  EXPECT_FALSE(controller_->Active());

  // A new file name clears XMLText.
  controller_->SetActive(true);
  controller_->SetFileName(install_.Files().Path("Erp/MultiLanguage/ENG/TfrmLangTest.Lng"));
  EXPECT_FALSE(controller_->Active());
  EXPECT_EQ(controller_->XMLText()->Count(), 0);
  controller_->SetActive(true);
  EXPECT_EQ(controller_->Document()->DocumentElement().NodeName(), "TfrmLangTest");
  controller_->SetActive(false);

  // Four openings, each closed again: the package, the text, the text once
  // more after it grew, and the file.
  std::vector<std::string> expected;
  for (int i = 0; i < 4; ++i)
    expected.insert(expected.end(), {"BeforeOpen", "AfterOpen", "BeforeClose", "AfterClose"});
  EXPECT_EQ(events, expected);  // file
}

TEST_F(LanguageControllerTest, ActiveFromAStoredDescriptionWaitsForLoaded) {
  controller_->SetLangPackageName("TfrmLangTest");
  controller_->BeginLoading();
  qv::SetPropValue(controller_.get(), "Active", "True");
  EXPECT_FALSE(controller_->Active());
  controller_->EndLoading();
  EXPECT_TRUE(controller_->Active());
}

TEST_F(LanguageControllerTest, AppliesPackageToWindowAndComponents) {
  testing::RegisterLangGridKind();
  auto window = qv::CreateUnowned<TfrmLangTest>();
  std::vector<std::string> loads;
  controller_->BeforeLoadComponent =
      TLoadComponentEvent([&loads](qv::TComponent* c, qv::TXMLNode e) {
        loads.push_back(c->Name() + "<" + e.NodeName());
      });
  controller_->AfterLoadComponent =
      TLoadComponentEvent([&loads](qv::TComponent* c, qv::TXMLNode e) {
        loads.push_back(c->Name() + ">" + e.NodeName());
      });
  Apply(window.get());

  // The document element goes to the window, then the element of its name.
  EXPECT_EQ(window->Caption(), "Language test");
  EXPECT_EQ(window->Hint(), "Window hint");
  EXPECT_EQ(window->Color(), qv::clRed);
  EXPECT_EQ(window->Width(), 420);
  EXPECT_EQ(window->Font()->Name(), "Tahoma");
  // Paths, identifiers, trimmed enumerations and sets.
  EXPECT_EQ(window->lblTitle->Caption(), "Title");
  EXPECT_EQ(window->lblTitle->Align(), qv::alTop);
  EXPECT_TRUE(window->lblTitle->Font()->Style().Contains(qv::fsBold));
  // A value that does not fit and an unknown property are skipped alone.
  EXPECT_EQ(window->edCode->Text(), "Code");
  EXPECT_EQ(window->edCode->MaxLength(), 0);
  EXPECT_EQ(window->edCode->Hint(), "Enter a code");
  // Components owned by components are reached too.
  EXPECT_EQ(window->lblInner->Caption(), "Inner");
  // Indexed paths: a column in range, out of range the component itself; a
  // line of a string list, padded when the list is shorter.
  EXPECT_EQ(window->grdList->Column(1)->Caption(), "Name");
  EXPECT_EQ(window->grdList->Caption(), "Out of range");
  EXPECT_EQ(window->grdList->Items()->ToVector(),
            (std::vector<std::string>{"一", "Two", "", "Four"}));
  EXPECT_EQ(window->grdList->Font()->Size(), 12);
  // A collection's item by Items_n below its count.
  EXPECT_EQ(static_cast<testing::TLangPanel*>(window->barStatus->Panels()->Items(1))->Text(),
            "Ready");
  EXPECT_EQ(static_cast<testing::TLangPanel*>(window->barStatus->Panels()->Items(0))->Text(), "");

  EXPECT_EQ(loads, (std::vector<std::string>{
                       "frmLangTest<TfrmLangTest", "frmLangTest>TfrmLangTest",
                       "frmLangTest<frmLangTest", "frmLangTest>frmLangTest", "lblTitle<lblTitle",
                       "lblTitle>lblTitle", "edCode<edCode", "edCode>edCode", "grdList<grdList",
                       "grdList>grdList", "pnMain<pnMain", "pnMain>pnMain", "lblInner<lblInner",
                       "lblInner>lblInner", "barStatus<barStatus", "barStatus>barStatus"}));
}

TEST_F(LanguageControllerTest, ExcludedComponentsKeepTheirTexts) {
  auto window = qv::CreateUnowned<TfrmLangTest>();
  controller_->ExcludeControls()->Add(" FRMLANGTEST ");
  controller_->ExcludeControls()->Add("pnmain");
  controller_->ExcludeControls()->Add("lblTitle");
  Apply(window.get());
  // The window still gets the document element, not its own element.
  EXPECT_EQ(window->Caption(), "Language test");
  EXPECT_NE(window->Width(), 420);
  EXPECT_EQ(window->lblTitle->Caption(), "标题");
  EXPECT_NE(window->pnMain->Caption(), "Main panel");
  // What an excluded component owns is still translated.
  EXPECT_EQ(window->lblInner->Caption(), "Inner");

  // The list can change while the package is open.
  controller_->ClearExcludeControls();
  controller_->GetReader()->ReadComponent(window.get());
  EXPECT_EQ(window->lblTitle->Caption(), "Title");
}

TEST(LanguagePackageTest, TraditionalPackageInBig5) {
  LanguageInstall install({936, "950", "936"});
  install.CopyPackages();
  auto controller = qv::CreateUnowned<TQvLangController>();
  auto window = qv::CreateUnowned<TfrmLangTest>();
  controller->SetLangPackageName("TfrmLangTest");
  controller->SetActive(true);
  controller->GetReader()->ReadComponent(window.get());
  EXPECT_EQ(window->Caption(), "語言測試");
  EXPECT_EQ(window->lblTitle->Caption(), "標題");
  EXPECT_EQ(window->lblInner->Caption(), "內部");
  EXPECT_EQ(TLanguageController::GetLangMessage(false, "TfrmLangTest", "sTitle", "报表条件"),
            "報表條件");
}

TEST_F(LanguageControllerTest, MessagesFallBackToTheirDefault) {
  install_.Files().WriteFile("Erp/MultiLanguage/ENG/Broken.Lng", "<a><b Msg=\"x\"></a>");
  struct Case {
    const char* package;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"TfrmLangTest", "sTitle", "Report conditions"},
      {"TfrmLangTest", "sNoText", "default"},    // element without Msg
      {"TfrmLangTest", "sMissing", "default"},   // no such element
      {"TfrmLangTest", "not a key", "default"},  // no element can have that name
      {"TfrmNone", "sTitle", "default"},         // no such package
      {"Broken", "b", "default"},                // package does not parse
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.package) + "/" + c.key);
    EXPECT_EQ(TLanguageController::GetLangMessage(false, c.package, c.key, "default"), c.expected);
  }
}

TEST(ComboBoxReadTest, KeepsTheSelectedItem) {
  auto grid = qv::CreateUnowned<testing::TLangGrid>();
  grid->Items()->SetText("a\nb\nc");
  grid->SetItemIndex(2);
  qv::TXMLDocument doc;
  doc.LoadFromText("<grd Items_1=\"B\" ItemIndex=\"0\" Items_4=\"E\"/>");
  TCustomComboBoxRead reader(grid.get(), doc.DocumentElement());
  reader.ReadAttributes();
  EXPECT_EQ(grid->Items()->ToVector(), (std::vector<std::string>{"a", "B", "c", "", "E"}));
  EXPECT_EQ(grid->ItemIndex(), 2);

  // Attributes one at a time, by position or name.
  TComponentRead single(grid.get(), doc.DocumentElement());
  single.ReadAttribute(qv::Variant("ItemIndex"));
  EXPECT_EQ(grid->ItemIndex(), 0);
  grid->SetItemIndex(-1);
  single.ReadAttribute(qv::Variant(1));
  EXPECT_EQ(grid->ItemIndex(), 0);
  single.ReadAttribute(qv::Variant(7));       // no such attribute
  single.ReadAttribute(qv::Variant(2.5));     // not an index
  single.ReadAttribute(qv::Variant("Nope"));  // no such attribute
  EXPECT_EQ(grid->ItemIndex(), 0);
}

}  // namespace
}  // namespace ravlet
