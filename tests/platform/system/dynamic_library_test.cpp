#include "platform/system/dynamic_library.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/system/environment.h"
#include "platform/system/paths.h"
#include "platform/system/testing_support.h"

namespace qv {
namespace {

using test_support::TempFolder;
using ::testing::HasSubstr;

using AddFunction = int(int, int);

std::string BuiltSample() {
  return GetHostProgramFolder() + "QvSampleLib.so";
}

TEST(DynamicLibraryTest, FindsALibraryByItsWindowsNameNextToTheProgram) {
  for (const char* name : {"QvSampleLib.dll", "qvsamplelib.DLL", "QvSampleLib", "QvSampleLib.so"}) {
    auto library = TDynamicLibrary::Load(name);
    ASSERT_NE(library, nullptr) << name << ": " << TDynamicLibrary::LastError();
    EXPECT_EQ(library->FileName(), BuiltSample()) << name;
    auto add = library->GetProc<AddFunction>("QvSampleAdd");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(add(2, 3), 5);
    EXPECT_EQ(library->GetProcAddress("NoSuchExport"), nullptr);
    EXPECT_EQ(library->GetProcAddress(""), nullptr);
  }
}

TEST(DynamicLibraryTest, TriesTheSoThenTheDllThenTheLibName) {
  TempFolder folder;
  const std::string dir = folder.Path() + "/Bin/";
  std::filesystem::create_directories(dir);
  const struct { const char* addFile; } steps[] = {{"libPlugin.so"}, {"Plugin.dll"}, {"Plugin.so"}};
  for (const auto& step : steps) {
    std::filesystem::copy_file(BuiltSample(), dir + step.addFile);
    auto library = TDynamicLibrary::Load(folder.Path() + "/bin/PLUGIN.dll");
    ASSERT_NE(library, nullptr) << TDynamicLibrary::LastError();
    EXPECT_EQ(library->FileName(), dir + step.addFile);
  }
}

TEST(DynamicLibraryTest, FallsBackToTheSystemSearchPath) {
  auto library = TDynamicLibrary::Load("libc.so.6");
  ASSERT_NE(library, nullptr) << TDynamicLibrary::LastError();
  EXPECT_NE(library->GetProcAddress("strlen"), nullptr);
}

TEST(DynamicLibraryTest, ANameWithAFolderIsLookedForOnlyThere) {
  TempFolder folder;
  SetDriveMapping("E", folder.Path());
  EXPECT_EQ(TDynamicLibrary::Load("E:\\Empty\\QvSampleLib.dll"), nullptr);
  EXPECT_THAT(TDynamicLibrary::LastError(), HasSubstr("QvSampleLib.so"));

  std::filesystem::create_directories(folder.Path() + "/Plugins");
  std::filesystem::copy_file(BuiltSample(), folder.Path() + "/Plugins/QvSampleLib.so");
  auto library = TDynamicLibrary::Load("e:\\plugins\\QvSampleLib.dll");
  ClearDriveMappings();
  ASSERT_NE(library, nullptr) << TDynamicLibrary::LastError();
  EXPECT_EQ(library->FileName(), folder.Path() + "/Plugins/QvSampleLib.so");
}

TEST(DynamicLibraryTest, ReportsWhyALibraryCouldNotBeLoaded) {
  EXPECT_EQ(TDynamicLibrary::Load("NoSuchLibrary.dll"), nullptr);
  EXPECT_THAT(TDynamicLibrary::LastError(), HasSubstr("NoSuchLibrary.dll"));

  TempFolder folder;
  folder.Write("Broken.so", "this is no library");
  EXPECT_EQ(TDynamicLibrary::Load(folder.Path() + "/Broken.dll"), nullptr);
  EXPECT_THAT(TDynamicLibrary::LastError(), HasSubstr("Broken"));

  EXPECT_EQ(TDynamicLibrary::Load(""), nullptr);
  EXPECT_FALSE(TDynamicLibrary::LastError().empty());
}

TEST(DynamicLibraryTest, HandleFunctionsWorkLikeTheWindowsCalls) {
  HMODULE module = LoadLibrary("QvSampleLib.dll");
  ASSERT_NE(module, nullptr);
  auto name = reinterpret_cast<const char* (*)()>(GetProcAddress(module, "QvSampleName"));
  ASSERT_NE(name, nullptr);
  EXPECT_STREQ(name(), "sample");
  EXPECT_EQ(GetProcAddress(module, "Missing"), nullptr);
  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(LoadLibrary("Missing.dll"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetProcAddress(nullptr, "QvSampleName"), nullptr);
}

}  // namespace
}  // namespace qv
