#include "platform/text/string_list.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>

#include "platform/core/exception.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"

namespace qv {

namespace {

// Keeps a batch of changes one notification, also when a step throws.
class UpdateScope {
 public:
  explicit UpdateScope(TStrings& list) : list_(list) { list_.BeginUpdate(); }
  ~UpdateScope() { list_.EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

 private:
  TStrings& list_;
};

std::string OsErrorText(int error) {
  return std::strerror(error);
}

}  // namespace

// ---------------------------------------------------------------- TStrings

int TStrings::Add(const std::string& text) {
  const int index = Count();
  Insert(index, text);
  return index;
}

int TStrings::AddObject(const std::string& text, void* object) {
  const int index = Add(text);
  PutObject(index, object);
  return index;
}

void TStrings::AddStrings(const TStrings& other) {
  UpdateScope scope(*this);
  const int count = other.Count();  // other may be this list
  for (int i = 0; i < count; ++i) AddObject(other.Get(i), other.GetObject(i));
}

void TStrings::AddStrings(const std::vector<std::string>& lines) {
  UpdateScope scope(*this);
  for (const std::string& line : lines) Add(line);
}

void TStrings::Assign(const TStrings& other) {
  if (&other == this) return;
  UpdateScope scope(*this);
  Clear();
  delimiter_ = other.delimiter_;
  quote_char_ = other.quote_char_;
  name_value_separator_ = other.name_value_separator_;
  strict_delimiter_ = other.strict_delimiter_;
  AddStrings(other);
}

void TStrings::InsertObject(int index, const std::string& text, void* object) {
  Insert(index, text);
  PutObject(index, object);
}

void TStrings::Exchange(int index1, int index2) {
  UpdateScope scope(*this);
  const std::string text1 = Get(index1);
  void* object1 = GetObject(index1);
  const std::string text2 = Get(index2);
  void* object2 = GetObject(index2);
  Put(index1, text2);
  PutObject(index1, object2);
  Put(index2, text1);
  PutObject(index2, object1);
}

void TStrings::Move(int current_index, int new_index) {
  if (current_index == new_index) return;
  if (new_index < 0 || new_index >= Count()) ErrorIndex(new_index);
  UpdateScope scope(*this);
  const std::string text = Get(current_index);
  void* object = GetObject(current_index);
  Delete(current_index);
  InsertObject(new_index, text, object);
}

int TStrings::IndexOf(std::string_view text) const {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    if (CompareStrings(Get(i), text) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfName(std::string_view name) const {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    const std::string line = Get(i);
    const size_t separator = line.find(name_value_separator_);
    if (separator != std::string::npos &&
        CompareStrings(std::string_view(line).substr(0, separator), name) == 0) {
      return i;
    }
  }
  return -1;
}

int TStrings::IndexOfObject(const void* object) const {
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    if (GetObject(i) == object) return i;
  }
  return -1;
}

bool TStrings::Equals(const TStrings& other) const {
  const int count = Count();
  if (count != other.Count()) return false;
  for (int i = 0; i < count; ++i) {
    if (Get(i) != other.Get(i)) return false;
  }
  return true;
}

std::string TStrings::Text() const {
  std::string out;
  const int count = Count();
  for (int i = 0; i < count; ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(std::string_view text) {
  UpdateScope scope(*this);
  Clear();
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    Add(std::string(text.substr(start, end - start)));
    if (end < text.size() && text[end] == '\r') {
      ++end;
      if (end < text.size() && text[end] == '\n') ++end;
    } else if (end < text.size()) {
      ++end;
    }
    start = end;
  }
}

std::string TStrings::CommaText() const {
  return DelimitedTextWith(',', '"');
}

void TStrings::SetCommaText(std::string_view text) {
  SetDelimitedTextWith(text, ',', '"');
}

std::string TStrings::DelimitedText() const {
  return DelimitedTextWith(delimiter_, quote_char_);
}

void TStrings::SetDelimitedText(std::string_view text) {
  SetDelimitedTextWith(text, delimiter_, quote_char_);
}

std::string TStrings::DelimitedTextWith(char delimiter, char quote) const {
  const int count = Count();
  if (count == 1 && Get(0).empty()) return std::string(2, quote);
  std::string out;
  for (int i = 0; i < count; ++i) {
    const std::string item = Get(i);
    bool needs_quotes = false;
    for (char c : item) {
      if (c == quote || c == delimiter || (!strict_delimiter_ && IsBlankChar(c))) {
        needs_quotes = true;
        break;
      }
    }
    if (i > 0) out += delimiter;
    out += needs_quotes ? AnsiQuotedStr(item, quote) : item;
  }
  return out;
}

bool TStrings::IsBlankChar(char c) {
  return c != '\0' && static_cast<unsigned char>(c) <= ' ';
}

void TStrings::SetDelimitedTextWith(std::string_view text, char delimiter, char quote) {
  UpdateScope scope(*this);
  Clear();
  const auto blank = [this](char c) { return !strict_delimiter_ && IsBlankChar(c); };
  size_t i = 0;
  while (i < text.size() && blank(text[i])) ++i;
  while (i < text.size()) {
    std::string item;
    if (text[i] == quote) {
      // A quoted item: doubled quotes stand for one; the closing quote ends it.
      ++i;
      while (i < text.size()) {
        if (text[i] == quote) {
          if (i + 1 < text.size() && text[i + 1] == quote) {
            item += quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        item += text[i++];
      }
    } else {
      const size_t start = i;
      while (i < text.size() && text[i] != delimiter && !blank(text[i])) ++i;
      item.assign(text.substr(start, i - start));
    }
    Add(item);
    while (i < text.size() && blank(text[i])) ++i;
    if (i < text.size() && text[i] == delimiter) {
      ++i;
      if (i == text.size()) Add(std::string());
      while (i < text.size() && blank(text[i])) ++i;
    }
  }
}

std::string TStrings::Names(int index) const {
  const std::string line = Get(index);
  const size_t separator = line.find(name_value_separator_);
  return separator == std::string::npos ? std::string() : line.substr(0, separator);
}

std::string TStrings::Values(std::string_view name) const {
  const int index = IndexOfName(name);
  return index < 0 ? std::string() : ValueFromIndex(index);
}

void TStrings::SetValue(std::string_view name, const std::string& value) {
  int index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const std::string line = std::string(name) + name_value_separator_ + value;
  if (index < 0) {
    Add(line);
  } else {
    Put(index, line);
  }
}

std::string TStrings::ValueFromIndex(int index) const {
  const std::string line = Get(index);
  const size_t separator = line.find(name_value_separator_);
  return separator == std::string::npos ? std::string() : line.substr(separator + 1);
}

void TStrings::SetValueFromIndex(int index, const std::string& value) {
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  if (index < 0) {
    Add(std::string(1, name_value_separator_) + value);
    return;
  }
  Put(index, Names(index) + name_value_separator_ + value);
}

std::vector<std::string> TStrings::ToVector() const {
  std::vector<std::string> lines;
  const int count = Count();
  lines.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) lines.push_back(Get(i));
  return lines;
}

void TStrings::BeginUpdate() {
  if (update_count_ == 0) SetUpdateState(true);
  ++update_count_;
}

void TStrings::EndUpdate() {
  if (update_count_ == 0) return;
  --update_count_;
  if (update_count_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const std::string& path, int code_page) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    throw EFOpenError("Cannot open file \"" + path + "\". " + OsErrorText(EISDIR));
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    throw EFOpenError("Cannot open file \"" + path + "\". " + OsErrorText(errno));
  }
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw EInOutError(EIO, "Read error on file \"" + path + "\"");
  if (code_page == CP_UTF8) {
    if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    SetText(bytes);
  } else {
    SetText(CodePageToUtf8(bytes, code_page));
  }
}

void TStrings::SaveToFile(const std::string& path, int code_page) const {
  const std::string bytes = code_page == CP_UTF8 ? Text() : Utf8ToCodePage(Text(), code_page);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    throw EFOpenError("Cannot create file \"" + path + "\". " + OsErrorText(errno));
  }
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw EInOutError(EIO, "Write error on file \"" + path + "\"");
}

void TStrings::Put(int index, const std::string& text) {
  void* object = GetObject(index);
  UpdateScope scope(*this);
  Delete(index);
  InsertObject(index, text, object);
}

void* TStrings::GetObject(int) const {
  return nullptr;
}

void TStrings::PutObject(int, void*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(std::string_view a, std::string_view b) const {
  return CompareText(a, b);
}

void TStrings::ErrorIndex(int index) const {
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

// ------------------------------------------------------------- TStringList

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

const std::string& TStringList::StringRef(int index) const {
  if (index < 0 || index >= Count()) ErrorIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

int TStringList::Add(const std::string& text) {
  return AddObject(text, nullptr);
}

int TStringList::AddObject(const std::string& text, void* object) {
  int index = Count();
  if (sorted_ && Find(text, index)) {
    switch (duplicates_) {
      case dupIgnore:
        return index;
      case dupError:
        throw EListError("String list does not allow duplicates");
      case dupAccept:
        break;
    }
  }
  InsertItem(index, text, object);
  return index;
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) ErrorIndex(index);
  Changing();
  items_.erase(items_.begin() + index);
  Changed();
}

void TStringList::Insert(int index, const std::string& text) {
  InsertObject(index, text, nullptr);
}

void TStringList::InsertObject(int index, const std::string& text, void* object) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (index < 0 || index > Count()) ErrorIndex(index);
  InsertItem(index, text, object);
}

void TStringList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count()) ErrorIndex(index1);
  if (index2 < 0 || index2 >= Count()) ErrorIndex(index2);
  Changing();
  std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
  Changed();
}

void TStringList::Move(int current_index, int new_index) {
  if (current_index < 0 || current_index >= Count()) ErrorIndex(current_index);
  if (new_index < 0 || new_index >= Count()) ErrorIndex(new_index);
  if (current_index == new_index) return;
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  Changing();
  Item item = std::move(items_[static_cast<size_t>(current_index)]);
  items_.erase(items_.begin() + current_index);
  items_.insert(items_.begin() + new_index, std::move(item));
  Changed();
}

int TStringList::IndexOf(std::string_view text) const {
  if (!sorted_) return TStrings::IndexOf(text);
  int index = 0;
  return Find(text, index) ? index : -1;
}

bool TStringList::Find(std::string_view text, int& index) const {
  int low = 0;
  int high = Count();
  while (low < high) {
    const int middle = low + (high - low) / 2;
    if (CompareStrings(items_[static_cast<size_t>(middle)].text, text) < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  index = low;
  return low < Count() && CompareStrings(items_[static_cast<size_t>(low)].text, text) == 0;
}

void TStringList::SetSorted(bool sorted) {
  if (sorted_ == sorted) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool case_sensitive) {
  if (case_sensitive_ == case_sensitive) return;
  case_sensitive_ = case_sensitive;
  // The binary search relies on the order of the current comparison.
  if (sorted_) {
    SortItems([](const TStringList& list, int a, int b) {
      return list.CompareStrings(list.items_[static_cast<size_t>(a)].text,
                                 list.items_[static_cast<size_t>(b)].text);
    });
  }
}

void TStringList::Sort() {
  if (sorted_) return;
  SortItems([](const TStringList& list, int a, int b) {
    return list.CompareStrings(list.items_[static_cast<size_t>(a)].text,
                               list.items_[static_cast<size_t>(b)].text);
  });
}

void TStringList::CustomSort(const TCompare& compare) {
  // A sorted list keeps its own order, which Find relies on.
  if (sorted_ || !compare) return;
  SortItems(compare);
}

void TStringList::SortItems(const TCompare& compare) {
  if (items_.size() < 2) return;
  Changing();
  // The comparison sees the list unchanged while the order is worked out.
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return compare(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int index : order) sorted.push_back(std::move(items_[static_cast<size_t>(index)]));
  items_ = std::move(sorted);
  Changed();
}

std::string TStringList::Get(int index) const {
  return StringRef(index);
}

void TStringList::Put(int index, const std::string& text) {
  if (sorted_) throw EListError("Operation not allowed on sorted list");
  if (index < 0 || index >= Count()) ErrorIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].text = text;
  Changed();
}

void* TStringList::GetObject(int index) const {
  if (index < 0 || index >= Count()) ErrorIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, void* object) {
  if (index < 0 || index >= Count()) ErrorIndex(index);
  Changing();
  items_[static_cast<size_t>(index)].object = object;
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}

int TStringList::CompareStrings(std::string_view a, std::string_view b) const {
  return case_sensitive_ ? CompareStr(a, b) : CompareText(a, b);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(*this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(*this);
}

void TStringList::InsertItem(int index, const std::string& text, void* object) {
  Changing();
  items_.insert(items_.begin() + index, Item{text, object});
  Changed();
}

}  // namespace qv
