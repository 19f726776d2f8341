#include "language/property_path.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/vcl/colors.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/edit.h"
#include "platform/vcl/form.h"
#include "platform/vcl/label.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

TEST(SetPropertyByPathTest, SetsFromTextsOrLeavesThePropertyAlone) {
  struct Case {
    const char* path;
    const char* value;
    bool result;
    const char* readBack;  // the property's text afterwards
  };
  const Case cases[] = {
      {"Caption", "Hello", true, "Hello"},
      {"Font.Name", "Tahoma", true, "Tahoma"},
      {"Font.Height", "-16", true, "-16"},
      {"Color", "clRed", true, "clRed"},
      {"Color", "255", true, "clRed"},
      {"Cursor", "crHandPoint", true, "crHandPoint"},
      {"Align", "  alClient ", true, "alClient"},
      {"Font.Style", " [fsBold,fsItalic] ", true, "[fsBold,fsItalic]"},
      {"Visible", "False", true, "False"},
      // Values that do not fit leave the property as it was.
      {"Align", "alSideways", false, "alNone"},
      {"Width", "wide", false, nullptr},
      {"Font.Style", "[fsShiny]", false, "[]"},
      {"Color", "clNoSuchColour", false, "clBtnFace"},
      // Paths that lead nowhere.
      {"NoSuch", "x", false, nullptr},
      {"Font.NoSuch", "x", false, nullptr},
      {"Caption.Length", "3", false, nullptr},
      {"", "x", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + "=" + c.value);
    auto label = qv::CreateUnowned<qv::TLabel>();
    label->SetAutoSize(false);
    label->SetColor(qv::clBtnFace);
    EXPECT_EQ(SetPropertyByPath(label.get(), c.path, c.value), c.result);
    if (c.readBack) {
      EXPECT_EQ(qv::GetPropValue(label.get(), c.path), c.readBack);
    }
  }
  EXPECT_FALSE(SetPropertyByPath(nullptr, "Caption", "x"));
}

class TPathForm : public qv::TForm {
  QV_DECLARE_CLASS(TPathForm)
  using qv::TForm::TForm;
  void Hello(qv::TObject*) {}
};
QV_DEFINE_CLASS(TPathForm, qv::TForm, r) {
  r.Method("Hello", &TPathForm::Hello);
}

TEST(SetPropertyByPathTest, LeavesHandlersAndObjectLinksAlone) {
  auto form = qv::CreateUnowned<TPathForm>();
  auto* edit = qv::Create<qv::TEdit>(form.get());
  edit->SetName("edName");
  auto* label = qv::Create<qv::TLabel>(form.get());
  // Both texts name something the property layer could bind.
  EXPECT_FALSE(SetPropertyByPath(label, "OnClick", "Hello"));
  EXPECT_FALSE(label->OnClick.Assigned());
  EXPECT_FALSE(SetPropertyByPath(label, "FocusControl", "edName"));
  EXPECT_EQ(label->FocusControl(), nullptr);
  // The property layer itself would have bound them.
  qv::SetPropValue(label, "OnClick", "Hello");
  EXPECT_TRUE(label->OnClick.Assigned());
}

}  // namespace
}  // namespace ravlet
