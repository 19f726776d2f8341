#include "runtime/text_fields.h"

#include <algorithm>

#include "platform/core/exception.h"
#include "platform/system/environment.h"
#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"

namespace ravlet {

namespace {

constexpr char16_t kListSeparator = u'\x03';

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() &&
         std::string_view(text).substr(text.size() - tail.size()) == tail;
}

// Repeatedly replaces the leftmost occurrence until none is left. Characters are
// moved one at a time from the pending input to the output; the output never
// holds an occurrence, so the first one to appear at its end is the leftmost
// one of the whole text, and a replacement goes back to the input to be looked
// at again. Each replacement shortens the text, so this ends.
std::string ReplaceRepeatedly(std::string_view text, std::string_view oldText,
                              std::string_view newText) {
  std::string output;
  output.reserve(text.size());
  std::string pending;
  size_t next = 0;
  for (;;) {
    char ch;
    if (!pending.empty()) {
      ch = pending.back();
      pending.pop_back();
    } else if (next < text.size()) {
      ch = text[next++];
    } else {
      break;
    }
    output.push_back(ch);
    if (EndsWith(output, oldText)) {
      output.resize(output.size() - oldText.size());
      pending.append(newText.rbegin(), newText.rend());
    }
  }
  return output;
}

std::string ReplaceInOnePass(std::string_view text, std::string_view oldText,
                             std::string_view newText) {
  std::string output;
  output.reserve(text.size());
  size_t from = 0;
  for (;;) {
    size_t at = text.find(oldText, from);
    if (at == std::string_view::npos) break;
    output.append(text.substr(from, at - from));
    output.append(newText);
    from = at + oldText.size();
  }
  output.append(text.substr(from));
  return output;
}

}  // namespace

std::string GetField(std::string_view text, char separator, int n) {
  if (text.empty() || n < 1) return {};
  size_t start = 0;
  for (int field = 1; field < n; ++field) {
    size_t at = text.find(separator, start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  size_t end = text.find(separator, start);
  if (end == std::string_view::npos) end = text.size();
  return std::string(text.substr(start, end - start));
}

int FieldCount(std::string_view text, char separator) {
  if (text.empty()) return 0;
  return static_cast<int>(std::count(text.begin(), text.end(), separator)) + 1;
}

std::string SplitFirst(std::string& text, std::string_view separator) {
  size_t at = separator.empty() ? std::string::npos : text.find(separator);
  std::string head;
  if (at == std::string::npos) {
    head.swap(text);
  } else {
    head = text.substr(0, at);
    text.erase(0, at + separator.size());
  }
  return head;
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool trim) {
  std::string result;
  if (oldText.empty() || qv::SameText(oldText, newText)) {
    result = std::string(text);
  } else if (newText.size() < oldText.size()) {
    result = ReplaceRepeatedly(text, oldText, newText);
  } else {
    result = ReplaceInOnePass(text, oldText, newText);
  }
  return trim ? qv::Trim(result) : result;
}

std::u16string PackList(std::string_view header, const qv::Variant& list) {
  if (qv::VarArrayDimCount(list) != 1) {
    throw qv::EVariantInvalidOpError("PackList needs a one-dimensional array");
  }
  const qv::Variant& countValue = list[0];
  const int count = countValue.AsInteger();
  if (count > 0 && count > qv::VarArrayHighBound(list, 1)) {
    throw qv::EVariantBadIndexError("PackList: the list holds fewer items than its count " +
                                    qv::IntToStr(count));
  }
  std::u16string packed = qv::Utf8ToUtf16(header);
  packed += kListSeparator;
  packed += qv::VarToWideStr(countValue);
  packed += kListSeparator;
  for (int i = 1; i <= count; ++i) {
    packed += qv::VarToWideStr(list[i]);
    packed += kListSeparator;
  }
  return packed;
}

double StrToFloatDefault(std::string_view text, double fallback) {
  double value = 0;
  return qv::TryStrToFloat(text, value) ? value : fallback;
}

bool IsLoopbackAddress(std::string_view text) {
  return text == "127.0.0.1";
}

std::string GetLongTempPath() {
  std::string folder = qv::GetTempFolder();
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

}  // namespace ravlet
