#include "platform/automation/ole_object.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_install.h"

namespace {

using qv::Variant;

// Registry of the test library (built next to this program as
// libqvtest_objects.so and named the Windows way).
constexpr const char* kRegistry = R"(Windows Registry Editor Version 5.00

[HKEY_CLASSES_ROOT\QvTest.Counter]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.Other]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.Refuses]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.Empty]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.Throws]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.NoExport]
"Library"="qvtest_objects.dll"
"Factory"="NoSuchFactory"

[HKEY_CLASSES_ROOT\QvTest.NoLibrary]
"Library"="qvtest_missing.dll"
"Factory"="CreateQvTestObject"

[HKEY_CLASSES_ROOT\QvTest.Incomplete]
"Library"="qvtest_objects.dll"

[HKEY_CLASSES_ROOT\QvTest.Counter\Sub]
"Library"="qvtest_objects.dll"
"Factory"="CreateQvTestObject"
)";

class CreateOleObjectTest : public ::testing::Test {
 protected:
  void SetUp() override { install_.WriteRegistry(kRegistry); }
  ravlet::testing::TempInstall install_;
};

TEST_F(CreateOleObjectTest, MakesANewObjectForEachCallFromTheRegisteredLibrary) {
  const Variant a = qv::CreateOleObject("QvTest.Counter");
  const Variant b = qv::CreateOleObject("qvtest.counter");  // keys ignore case
  const Variant c = qv::CreateOleObject("QvTest.Other");
  EXPECT_EQ(a.Call("Next").AsInteger(), 1);
  EXPECT_EQ(a.Call("Next").AsInteger(), 2);
  EXPECT_EQ(b.Call("Next").AsInteger(), 1);
  EXPECT_EQ(c.Get("ProgID").AsString(), "QvTest.Other");
  // One library for all: its object counter goes on rather than starting again.
  EXPECT_EQ(b.Get("Serial").AsInteger(), a.Get("Serial").AsInteger() + 1);
  EXPECT_EQ(c.Get("Serial").AsInteger(), a.Get("Serial").AsInteger() + 2);
}

TEST_F(CreateOleObjectTest, FailuresNameTheProgIdAndTheReason) {
  struct Case {
    const char* progId;
    const char* text;
  };
  const Case cases[] = {
      {"QvTest.Unknown", "Invalid class string \"QvTest.Unknown\""},
      {"", "Invalid class string"},
      {"QvTest.Counter\\Sub", "Invalid class string"},
      {"QvTest.Incomplete", "Invalid class string \"QvTest.Incomplete\": the registry names no"},
      {"QvTest.NoLibrary", "Cannot load library \"qvtest_missing.dll\""},
      {"QvTest.NoExport", "has no export \"NoSuchFactory\""},
      {"QvTest.Refuses", "CreateQvTestObject returned 5"},
      {"QvTest.Empty", "CreateQvTestObject returned no object"},
      {"QvTest.Throws", "Creating \"QvTest.Throws\" failed: no counter for you"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.progId);
    try {
      qv::CreateOleObject(c.progId);
      ADD_FAILURE() << "no error";
    } catch (const qv::EOleError& e) {
      EXPECT_NE(e.Message().find(c.text), std::string::npos) << e.Message();
    }
  }
}

TEST(CreateOleObject, WithoutARegistryNoClassIsKnown) {
  ravlet::testing::ScopedEnv noRegistry("QVR_REGISTRY", std::nullopt);
  EXPECT_THROW(qv::CreateOleObject("QvTest.Counter"), qv::EOleError);
}

}  // namespace
