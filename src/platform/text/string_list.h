#pragma once
// TStrings and TStringList with the original framework's behaviour: lines with
// an object slot each, Text joined with CR LF, comma and delimited texts,
// name=value lines, sorting with a duplicates rule, change notifications.
// Index errors raise EListError "List index out of bounds (<index>)".

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

enum TDuplicates { dupIgnore, dupAccept, dupError };

// A list of texts. Subclasses provide storage through the virtual operations;
// everything else is built on them.
class TStrings {
 public:
  TStrings() = default;
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;
  virtual ~TStrings() = default;

  virtual int Count() const = 0;
  std::string Strings(int index) const { return Get(index); }
  std::string operator[](int index) const { return Get(index); }
  void SetString(int index, const std::string& text) { Put(index, text); }
  void* Objects(int index) const { return GetObject(index); }
  void SetObject(int index, void* object) { PutObject(index, object); }
  // Integer data kept in the object slot.
  std::intptr_t ObjectData(int index) const {
    return reinterpret_cast<std::intptr_t>(GetObject(index));
  }
  void SetObjectData(int index, std::intptr_t data) {
    PutObject(index, reinterpret_cast<void*>(data));
  }

  virtual int Add(const std::string& text);
  virtual int AddObject(const std::string& text, void* object);
  void Append(const std::string& text) { Add(text); }
  virtual void AddStrings(const TStrings& other);
  void AddStrings(const std::vector<std::string>& lines);
  virtual void Assign(const TStrings& other);
  virtual void Clear() = 0;
  virtual void Delete(int index) = 0;
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void InsertObject(int index, const std::string& text, void* object);
  virtual void Exchange(int index1, int index2);
  virtual void Move(int current_index, int new_index);
  virtual int IndexOf(std::string_view text) const;
  int IndexOfName(std::string_view name) const;
  int IndexOfObject(const void* object) const;
  bool Equals(const TStrings& other) const;

  // Lines joined with CR LF after every line; setting splits at CR LF, LF or
  // CR (a final line break adds no empty line).
  std::string Text() const;
  virtual void SetText(std::string_view text);
  std::string CommaText() const;
  void SetCommaText(std::string_view text);
  std::string DelimitedText() const;
  void SetDelimitedText(std::string_view text);
  char Delimiter() const { return delimiter_; }
  void SetDelimiter(char delimiter) { delimiter_ = delimiter; }
  char QuoteChar() const { return quote_char_; }
  void SetQuoteChar(char quote) { quote_char_ = quote; }
  // When set, only the delimiter separates items; otherwise blanks do too.
  bool StrictDelimiter() const { return strict_delimiter_; }
  void SetStrictDelimiter(bool strict) { strict_delimiter_ = strict; }
  char NameValueSeparator() const { return name_value_separator_; }
  void SetNameValueSeparator(char separator) { name_value_separator_ = separator; }

  // name=value lines: Names(i) is empty for a line without a separator.
  std::string Names(int index) const;
  std::string Values(std::string_view name) const;
  // An empty value deletes the line; a new name is added at the end.
  void SetValue(std::string_view name, const std::string& value);
  std::string ValueFromIndex(int index) const;
  void SetValueFromIndex(int index, const std::string& value);

  std::vector<std::string> ToVector() const;

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return update_count_; }

  // Lines are stored as UTF-8; a file in another code page is converted when
  // read or written. A byte-order mark at the start of a UTF-8 file is skipped.
  void LoadFromFile(const std::string& path, int code_page = 65001);
  void SaveToFile(const std::string& path, int code_page = 65001) const;

 protected:
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& text);
  virtual void* GetObject(int index) const;
  virtual void PutObject(int index, void* object);
  // Called with true when the first BeginUpdate starts a batch and with false
  // when the last EndUpdate ends it.
  virtual void SetUpdateState(bool updating);
  virtual int CompareStrings(std::string_view a, std::string_view b) const;
  [[noreturn]] void ErrorIndex(int index) const;

 private:
  static bool IsBlankChar(char c);
  std::string DelimitedTextWith(char delimiter, char quote) const;
  void SetDelimitedTextWith(std::string_view text, char delimiter, char quote);

  char delimiter_ = ',';
  char quote_char_ = '"';
  char name_value_separator_ = '=';
  bool strict_delimiter_ = false;
  int update_count_ = 0;
};

class TStringList : public TStrings {
 public:
  using TNotifyEvent = std::function<void(TStringList& sender)>;
  using TCompare = std::function<int(const TStringList& list, int index1, int index2)>;

  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(items_.size()); }
  // Fast access to a line without a copy.
  const std::string& StringRef(int index) const;

  int Add(const std::string& text) override;
  int AddObject(const std::string& text, void* object) override;
  void Clear() override;
  void Delete(int index) override;
  void Insert(int index, const std::string& text) override;
  void InsertObject(int index, const std::string& text, void* object) override;
  void Exchange(int index1, int index2) override;
  // A sorted list refuses before anything is moved.
  void Move(int current_index, int new_index) override;
  int IndexOf(std::string_view text) const override;
  // Binary search of a sorted list: true and the index of the first match, or
  // false and the index where the text would be inserted.
  bool Find(std::string_view text, int& index) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return case_sensitive_; }
  void SetCaseSensitive(bool case_sensitive);
  virtual void Sort();
  virtual void CustomSort(const TCompare& compare);

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  std::string Get(int index) const override;
  void Put(int index, const std::string& text) override;
  void* GetObject(int index) const override;
  void PutObject(int index, void* object) override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(std::string_view a, std::string_view b) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    std::string text;
    void* object = nullptr;
  };
  void InsertItem(int index, const std::string& text, void* object);
  void SortItems(const TCompare& compare);

  std::vector<Item> items_;
  bool sorted_ = false;
  bool case_sensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace qv
