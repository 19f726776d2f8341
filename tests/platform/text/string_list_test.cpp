#include "platform/text/string_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/exception.h"

namespace {

using qv::TStringList;
using Lines = std::vector<std::string>;

Lines Fill(TStringList& list, const Lines& lines) {
  for (const std::string& line : lines) list.Add(line);
  return list.ToVector();
}

TEST(StringList, SortedListsFollowTheDuplicatesRule) {
  const struct {
    qv::TDuplicates duplicates;
    bool case_sensitive;
    Lines expected;
    int index_of_apple;
  } cases[] = {
      {qv::dupIgnore, false, {"apple", "b", "C"}, 0},
      {qv::dupAccept, false, {"Apple", "apple", "b", "b", "C"}, 0},
      {qv::dupIgnore, true, {"Apple", "C", "apple", "b"}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.duplicates);
    TStringList list;
    list.SetSorted(true);
    list.SetDuplicates(c.duplicates);
    list.SetCaseSensitive(c.case_sensitive);
    EXPECT_EQ(Fill(list, {"b", "apple", "C", "Apple", "b"}), c.expected);
    EXPECT_EQ(list.IndexOf("apple"), c.index_of_apple);
    EXPECT_EQ(list.IndexOf("banana"), -1);
  }

  TStringList strict;
  strict.SetSorted(true);
  strict.SetDuplicates(qv::dupError);
  strict.Add("x");
  EXPECT_THROW(strict.Add("X"), qv::EListError);
  EXPECT_EQ(strict.Count(), 1);
  EXPECT_EQ(strict.Add("a"), 0) << "Add returns the sorted position";
  EXPECT_THROW(strict.Insert(0, "b"), qv::EListError);
  EXPECT_THROW(strict.SetString(0, "z"), qv::EListError);
}

TEST(StringList, SortingCarriesObjectsAndCanBeTurnedOn) {
  TStringList list;
  int a = 1, b = 2, c = 3;
  list.AddObject("c", &c);
  list.AddObject("A", &a);
  list.AddObject("b", &b);
  list.SetSorted(true);
  EXPECT_EQ(list.ToVector(), (Lines{"A", "b", "c"}));
  EXPECT_EQ(list.Objects(0), &a);
  EXPECT_EQ(list.Objects(2), &c);
  EXPECT_EQ(list.IndexOfObject(&b), 1);

  // Switching case sensitivity keeps the binary search working.
  list.SetCaseSensitive(true);
  EXPECT_EQ(list.ToVector(), (Lines{"A", "b", "c"}));
  list.Add("B");
  EXPECT_EQ(list.ToVector(), (Lines{"A", "B", "b", "c"}));
  EXPECT_EQ(list.IndexOf("b"), 2);
  EXPECT_EQ(list.IndexOf("a"), -1);
}

TEST(StringList, CustomSortSeesAStableList) {
  TStringList list;
  Fill(list, {"ccc", "a", "bb", "dd"});
  for (int i = 0; i < list.Count(); ++i) list.SetObjectData(i, i);
  list.CustomSort([](const TStringList& l, int x, int y) {
    return static_cast<int>(l.StringRef(x).size()) - static_cast<int>(l.StringRef(y).size());
  });
  EXPECT_EQ(list.ToVector(), (Lines{"a", "bb", "dd", "ccc"}));
  EXPECT_EQ(list.ObjectData(1), 2);
  EXPECT_EQ(list.ObjectData(2), 3);
}

TEST(StringList, IndexErrorsNameTheIndex) {
  TStringList list;
  Fill(list, {"a", "b"});
  const struct {
    const char* what;
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {"get", [&] { list.Strings(5); }, "List index out of bounds (5)"},
      {"negative", [&] { list[-1]; }, "List index out of bounds (-1)"},
      {"set", [&] { list.SetString(2, "x"); }, "List index out of bounds (2)"},
      {"delete", [&] { list.Delete(2); }, "List index out of bounds (2)"},
      {"insert", [&] { list.Insert(3, "x"); }, "List index out of bounds (3)"},
      {"object", [&] { list.Objects(7); }, "List index out of bounds (7)"},
      {"exchange", [&] { list.Exchange(0, 9); }, "List index out of bounds (9)"},
      {"move", [&] { list.Move(0, 2); }, "List index out of bounds (2)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      ADD_FAILURE() << "no exception";
    } catch (const qv::EListError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(list.ToVector(), (Lines{"a", "b"}));
  }
  list.Insert(2, "end");  // inserting at Count appends
  EXPECT_EQ(list[2], "end");
}

TEST(StringList, TextSplitsAtEveryKindOfLineBreak) {
  const struct {
    std::string text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\n", {""}},
      {"a\n\r", {"a", ""}},
      {"选择\r\n编号", {"选择", "编号"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TStringList list;
    list.SetText(c.text);
    EXPECT_EQ(list.ToVector(), c.lines);
  }
  TStringList list;
  Fill(list, {"a", "", "b"});
  EXPECT_EQ(list.Text(), "a\r\n\r\nb\r\n");
}

TEST(StringList, CommaAndDelimitedText) {
  const struct {
    std::string text;
    Lines lines;
    std::string rebuilt;
  } cases[] = {
      {"a,b,c", {"a", "b", "c"}, "a,b,c"},
      {"a b,c", {"a", "b", "c"}, "a,b,c"},
      {"\"a b\",\"x\"\"y\",", {"a b", "x\"y", ""}, "\"a b\",\"x\"\"y\","},
      {"a,,b", {"a", "", "b"}, "a,,b"},
      {"  a , b  ", {"a", "b"}, "a,b"},
      {"\"\"", {""}, "\"\""},
      {"\"unterminated", {"unterminated"}, "unterminated"},
      {"\"ab\"cd,e", {"ab", "cd", "e"}, "ab,cd,e"},  // text after a closing quote starts an item
      {"", {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    TStringList list;
    list.SetCommaText(c.text);
    EXPECT_EQ(list.ToVector(), c.lines);
    EXPECT_EQ(list.CommaText(), c.rebuilt);
  }

  TStringList list;
  list.SetDelimiter(';');
  list.SetQuoteChar('\'');
  list.SetStrictDelimiter(true);
  list.SetDelimitedText("E; 000015 ;'a;b'");
  EXPECT_EQ(list.ToVector(), (Lines{"E", " 000015 ", "a;b"}));
  EXPECT_EQ(list.DelimitedText(), "E; 000015 ;'a;b'");
}

TEST(StringList, NamesAndValues) {
  TStringList list;
  Fill(list, {"Server=host1", "Port=211", "plain", "=nameless", "Empty="});
  EXPECT_EQ(list.Values("server"), "host1");
  EXPECT_EQ(list.Values("missing"), "");
  EXPECT_EQ(list.Names(1), "Port");
  EXPECT_EQ(list.Names(2), "");
  EXPECT_EQ(list.ValueFromIndex(2), "");
  EXPECT_EQ(list.ValueFromIndex(3), "nameless");
  EXPECT_EQ(list.IndexOfName("EMPTY"), 4);
  EXPECT_EQ(list.IndexOfName("plain"), -1);

  list.SetValue("PORT", "212");
  EXPECT_EQ(list[1], "PORT=212");
  list.SetValue("New", "a=b");
  EXPECT_EQ(list[5], "New=a=b");
  EXPECT_EQ(list.Values("new"), "a=b");
  list.SetValue("Server", "");
  EXPECT_EQ(list.IndexOfName("Server"), -1);
  list.SetValueFromIndex(0, "213");
  EXPECT_EQ(list[0], "PORT=213");
}

TEST(StringList, NotificationsAreBatchedByUpdates) {
  TStringList list;
  Lines events;
  list.OnChanging = [&](TStringList& l) {
    events.push_back("changing " + std::to_string(l.Count()));
  };
  list.OnChange = [&](TStringList& l) { events.push_back("change " + std::to_string(l.Count())); };
  list.Add("a");
  EXPECT_EQ(events, (Lines{"changing 0", "change 1"}));

  events.clear();
  list.BeginUpdate();
  list.BeginUpdate();
  list.Add("b");
  list.Delete(0);
  list.EndUpdate();
  EXPECT_EQ(events, (Lines{"changing 1"}));
  list.EndUpdate();
  EXPECT_EQ(events, (Lines{"changing 1", "change 1"}));

  events.clear();
  list.SetText("x\ny\nz");
  EXPECT_EQ(events, (Lines{"changing 1", "change 3"}));
  events.clear();
  list.EndUpdate();  // unbalanced: ignored
  list.Add("w");
  EXPECT_EQ(events.size(), 2u);
}

TEST(StringList, AssignAddStringsExchangeAndMove) {
  TStringList source;
  int tag = 0;
  source.AddObject("one", &tag);
  source.Add("two");
  source.SetDelimiter('|');

  TStringList target;
  target.Add("old");
  target.Assign(source);
  EXPECT_EQ(target.ToVector(), (Lines{"one", "two"}));
  EXPECT_EQ(target.Objects(0), &tag);
  EXPECT_EQ(target.Delimiter(), '|');
  EXPECT_TRUE(target.Equals(source));

  target.AddStrings(target);  // adding a list to itself doubles it once
  EXPECT_EQ(target.ToVector(), (Lines{"one", "two", "one", "two"}));
  target.Exchange(0, 1);
  EXPECT_EQ(target.Objects(1), &tag);
  target.Move(1, 3);
  EXPECT_EQ(target.ToVector(), (Lines{"two", "one", "two", "one"}));
  EXPECT_EQ(target.Objects(3), &tag);
  target.Assign(target);
  EXPECT_EQ(target.Count(), 4);

  // Moving within a sorted list is refused without losing the line.
  TStringList sorted;
  Fill(sorted, {"b", "a", "c"});
  sorted.SetSorted(true);
  EXPECT_THROW(sorted.Move(0, 2), qv::EListError);
  EXPECT_EQ(sorted.ToVector(), (Lines{"a", "b", "c"}));
}

class StringListFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("text_list_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir_;
};

TEST_F(StringListFileTest, SavesAndLoadsInTheChosenCodePage) {
  TStringList list;
  Fill(list, {"选择间距编号", "line 2"});
  const std::string utf8_path = (dir_ / "选择.txt").string();
  list.SaveToFile(utf8_path);
  EXPECT_EQ(ReadBytes(utf8_path), "选择间距编号\r\nline 2\r\n");

  const std::string gb_path = (dir_ / "gb.txt").string();
  list.SaveToFile(gb_path, 936);
  EXPECT_EQ(ReadBytes(gb_path), "\xd1\xa1\xd4\xf1\xbc\xe4\xbe\xe0\xb1\xe0\xba\xc5\r\nline 2\r\n");

  TStringList loaded;
  loaded.LoadFromFile(gb_path, 936);
  EXPECT_EQ(loaded.ToVector(), list.ToVector());

  std::ofstream(dir_ / "bom.txt", std::ios::binary) << "\xEF\xBB\xBFkey=value\n";
  loaded.LoadFromFile((dir_ / "bom.txt").string());
  EXPECT_EQ(loaded.Values("key"), "value");
}

TEST_F(StringListFileTest, MissingFilesRaiseOpenErrors) {
  TStringList list;
  list.Add("kept");
  EXPECT_THROW(list.LoadFromFile((dir_ / "missing.txt").string()), qv::EFOpenError);
  EXPECT_THROW(list.LoadFromFile(dir_.string()), qv::EFOpenError);
  EXPECT_EQ(list.ToVector(), (Lines{"kept"}));
  EXPECT_THROW(list.SaveToFile((dir_ / "no" / "such" / "dir.txt").string()), qv::EFOpenError);
  EXPECT_THROW(list.SaveToFile((dir_ / "x.txt").string(), 12345), qv::EConvertError);
}

}  // namespace
