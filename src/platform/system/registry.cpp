#include "platform/system/registry.h"

#include <cstdlib>
#include <map>
#include <mutex>

#include "platform/system/text_file.h"
#include "platform/text/code_page.h"
#include "platform/text/string_list.h"
#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"

namespace qv {
namespace registry_detail {

// Registry value types as numbered in export files ("hex(2):" …).
enum : int { kRegNone = 0, kRegSz = 1, kRegExpandSz = 2, kRegBinary = 3, kRegDword = 4 };

struct RegValue {
  std::string name;
  int type = kRegNone;
  std::vector<std::uint8_t> data;  // the raw bytes, as the registry would keep them
  std::string text;                // REG_SZ and REG_EXPAND_SZ as UTF-8
  std::uint32_t dword = 0;
};

struct RegKey {
  std::string name;
  std::vector<RegValue> values;
  std::vector<std::unique_ptr<RegKey>> children;

  RegKey* FindChild(const std::string& childName) const {
    for (const auto& child : children) {
      if (SameText(child->name, childName)) return child.get();
    }
    return nullptr;
  }
  RegKey* Child(const std::string& childName) {
    if (RegKey* found = FindChild(childName)) return found;
    children.push_back(std::make_unique<RegKey>());
    children.back()->name = childName;
    return children.back().get();
  }
  void RemoveChild(const std::string& childName) {
    for (auto it = children.begin(); it != children.end(); ++it) {
      if (SameText((*it)->name, childName)) {
        children.erase(it);
        return;
      }
    }
  }
  const RegValue* FindValue(const std::string& valueName) const {
    for (const auto& value : values) {
      if (SameText(value.name, valueName)) return &value;
    }
    return nullptr;
  }
  void SetValue(RegValue value) {
    for (auto& existing : values) {
      if (SameText(existing.name, value.name)) {
        existing = std::move(value);
        return;
      }
    }
    values.push_back(std::move(value));
  }
  void RemoveValue(const std::string& valueName) {
    for (auto it = values.begin(); it != values.end(); ++it) {
      if (SameText(it->name, valueName)) {
        values.erase(it);
        return;
      }
    }
  }
};

struct RegistryImage {
  std::map<std::uint32_t, RegKey> roots;
};

// The nodes that make up one key, the first of them taking precedence (a key
// of HKEY_CLASSES_ROOT merges the per-user and the machine classes).
struct KeyView {
  std::vector<const RegKey*> nodes;
};

}  // namespace registry_detail

namespace {

using registry_detail::KeyView;
using registry_detail::RegistryImage;
using registry_detail::RegKey;
using registry_detail::RegValue;
namespace rd = registry_detail;

bool RootFromName(const std::string& name, std::uint32_t& root) {
  static const struct {
    const char* longName;
    const char* shortName;
    HKEY key;
  } kRoots[] = {
      {"HKEY_CLASSES_ROOT", "HKCR", HKEY_CLASSES_ROOT},
      {"HKEY_CURRENT_USER", "HKCU", HKEY_CURRENT_USER},
      {"HKEY_LOCAL_MACHINE", "HKLM", HKEY_LOCAL_MACHINE},
      {"HKEY_USERS", "HKU", HKEY_USERS},
      {"HKEY_CURRENT_CONFIG", "HKCC", HKEY_CURRENT_CONFIG},
  };
  for (const auto& entry : kRoots) {
    if (SameText(name, entry.longName) || SameText(name, entry.shortName)) {
      root = entry.key;
      return true;
    }
  }
  return false;
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : path) {
    if (c == '\\') {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

std::string JoinKeyPath(const std::vector<std::string>& parts) {
  std::string path;
  for (const auto& part : parts) {
    if (!path.empty()) path += '\\';
    path += part;
  }
  return path;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseHexNumber(const std::string& text, std::uint32_t& value, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return false;
  value = 0;
  for (char c : text) {
    int digit = HexDigit(c);
    if (digit < 0) return false;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return true;
}

// Reads a quoted text with the export format's \\ and \" escapes, starting at
// the opening quote; pos ends after the closing quote.
bool ParseQuoted(const std::string& line, size_t& pos, std::string& out) {
  if (pos >= line.size() || line[pos] != '"') return false;
  out.clear();
  for (size_t i = pos + 1; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
      out += line[++i];
    } else if (c == '"') {
      pos = i + 1;
      return true;
    } else {
      out += c;
    }
  }
  return false;
}

bool ParseHexBytes(const std::string& text, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  std::string compact;
  for (char c : text) {
    if (c != ' ' && c != '\t') compact += c;
  }
  if (compact.empty()) return true;
  size_t start = 0;
  while (start <= compact.size()) {
    size_t comma = compact.find(',', start);
    if (comma == std::string::npos) comma = compact.size();
    std::string item = compact.substr(start, comma - start);
    std::uint32_t value = 0;
    if (item.empty() && comma == compact.size()) break;  // a trailing comma
    if (!ParseHexNumber(item, value, 2)) return false;
    bytes.push_back(static_cast<std::uint8_t>(value));
    start = comma + 1;
  }
  return true;
}

std::string TextOfBytes(const std::vector<std::uint8_t>& bytes, bool wide) {
  if (wide) {
    std::u16string units;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
      if (unit == 0) break;
      units.push_back(unit);
    }
    return Utf16ToUtf8(units);
  }
  std::string narrow;
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    narrow.push_back(static_cast<char>(b));
  }
  return IsValidUtf8(narrow) ? narrow : AnsiToUtf8(narrow);
}

std::vector<std::uint8_t> WideBytesOf(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : Utf8ToUtf16(text)) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

// Applies one "name=data" line to the key; malformed lines change nothing.
void ApplyValueLine(const std::string& line, RegKey& key, bool wideFile) {
  RegValue value;
  size_t pos = 0;
  if (line[0] == '@') {
    pos = 1;
  } else if (!ParseQuoted(line, pos, value.name)) {
    return;
  }
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '=') return;
  std::string data = Trim(std::string_view(line).substr(pos + 1));
  if (data.empty()) return;
  if (data == "-") {
    key.RemoveValue(value.name);
    return;
  }
  if (data[0] == '"') {
    size_t end = 0;
    if (!ParseQuoted(data, end, value.text) || !Trim(std::string_view(data).substr(end)).empty()) {
      return;
    }
    value.type = rd::kRegSz;
    value.data = WideBytesOf(value.text);
  } else if (StartsText("dword:", data)) {
    if (!ParseHexNumber(Trim(data.substr(6)), value.dword, 8)) return;
    value.type = rd::kRegDword;
    for (int shift = 0; shift < 32; shift += 8) {
      value.data.push_back(static_cast<std::uint8_t>(value.dword >> shift));
    }
  } else if (StartsText("hex", data)) {
    size_t colon = data.find(':');
    if (colon == std::string::npos) return;
    std::string kind = Trim(data.substr(3, colon - 3));
    std::uint32_t type = rd::kRegBinary;
    if (!kind.empty()) {
      if (kind.size() < 3 || kind.front() != '(' || kind.back() != ')' ||
          !ParseHexNumber(kind.substr(1, kind.size() - 2), type, 8)) {
        return;
      }
    }
    if (!ParseHexBytes(data.substr(colon + 1), value.data)) return;
    value.type = static_cast<int>(type);
    if (value.type == rd::kRegSz || value.type == rd::kRegExpandSz) {
      value.text = TextOfBytes(value.data, wideFile);
    } else if (value.type == rd::kRegDword && value.data.size() == 4) {
      value.dword = value.data[0] | (value.data[1] << 8) | (value.data[2] << 16) |
                    (static_cast<std::uint32_t>(value.data[3]) << 24);
    }
  } else {
    return;
  }
  key.SetValue(std::move(value));
}

// Splits the text into logical lines, joining a binary value continued with
// a trailing "\" onto the following lines.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> physical;
  std::string current;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      physical.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  physical.push_back(current);

  std::vector<std::string> lines;
  for (size_t i = 0; i < physical.size(); ++i) {
    std::string line = Trim(physical[i]);
    bool binary = line.find("=hex") != std::string::npos || line.find("= hex") != std::string::npos;
    while (binary && !line.empty() && line.back() == '\\' && i + 1 < physical.size()) {
      line.pop_back();
      line += Trim(physical[++i]);
    }
    lines.push_back(line);
  }
  return lines;
}

std::shared_ptr<RegistryImage> ParseRegistryText(const std::string& text) {
  std::vector<std::string> lines = LogicalLines(text);
  size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size()) return nullptr;
  bool wide = false;
  if (lines[first] == "Windows Registry Editor Version 5.00") {
    wide = true;
  } else if (lines[first] != "REGEDIT4") {
    return nullptr;
  }

  auto image = std::make_shared<RegistryImage>();
  for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
                    HKEY_CURRENT_CONFIG}) {
    image->roots[root];
  }
  RegKey* current = nullptr;
  for (size_t i = first + 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      current = nullptr;
      size_t close = line.rfind(']');
      if (close == std::string::npos) continue;
      std::string path = line.substr(1, close - 1);
      bool remove = !path.empty() && path[0] == '-';
      if (remove) path.erase(0, 1);
      std::vector<std::string> parts = SplitKeyPath(path);
      std::uint32_t root = 0;
      if (parts.empty() || !RootFromName(parts[0], root)) continue;
      RegKey* key = &image->roots[root];
      if (remove) {
        for (size_t k = 1; key != nullptr && k + 1 < parts.size(); ++k)
          key = key->FindChild(parts[k]);
        if (key != nullptr && parts.size() > 1) key->RemoveChild(parts.back());
        continue;
      }
      for (size_t k = 1; k < parts.size(); ++k) key = key->Child(parts[k]);
      current = key;
      continue;
    }
    if (current != nullptr && (line[0] == '"' || line[0] == '@'))
      ApplyValueLine(line, *current, wide);
  }
  return image;
}

struct CachedImage {
  std::string bytes;
  std::shared_ptr<const RegistryImage> image;
};

std::mutex& CacheMutex() {
  static std::mutex mutex;
  return mutex;
}

CachedImage& Cache() {
  static CachedImage cache;
  return cache;
}

// The registry as the file named by QVR_REGISTRY holds it now; nullptr when
// there is no such file or it is no registry export. The file is small: it is
// read every time, and parsed again only when its bytes have changed.
std::shared_ptr<const RegistryImage> CurrentImage() {
  const char* configured = std::getenv("QVR_REGISTRY");
  if (configured == nullptr || *configured == '\0') return nullptr;
  std::string bytes;
  if (!ReadFileBytes(configured, bytes)) return nullptr;
  std::lock_guard<std::mutex> lock(CacheMutex());
  CachedImage& cache = Cache();
  if (cache.image && cache.bytes == bytes) return cache.image;
  std::shared_ptr<const RegistryImage> image = ParseRegistryText(DecodeTextFileBytes(bytes));
  if (image) {
    cache.bytes = std::move(bytes);
    cache.image = image;
  }
  return image;
}

const RegKey* Descend(const RegKey* key, const std::vector<std::string>& parts) {
  for (const auto& part : parts) {
    if (key == nullptr) return nullptr;
    key = key->FindChild(part);
  }
  return key;
}

// The nodes of a key given by its path below a root.
std::unique_ptr<KeyView> ResolveKey(const RegistryImage& image, std::uint32_t root,
                                    const std::vector<std::string>& parts) {
  auto view = std::make_unique<KeyView>();
  auto add = [&](std::uint32_t base, std::vector<std::string> prefix) {
    auto found = image.roots.find(base);
    if (found == image.roots.end()) return;
    prefix.insert(prefix.end(), parts.begin(), parts.end());
    if (const RegKey* key = Descend(&found->second, prefix)) view->nodes.push_back(key);
  };
  if (root == HKEY_CLASSES_ROOT) {
    add(HKEY_CURRENT_USER, {"Software", "Classes"});
    add(HKEY_CLASSES_ROOT, {});
    add(HKEY_LOCAL_MACHINE, {"Software", "Classes"});
  } else {
    add(root, {});
  }
  if (view->nodes.empty()) return nullptr;
  return view;
}

const RegValue* FindValue(const KeyView* view, const std::string& name) {
  if (view == nullptr) return nullptr;
  for (const RegKey* node : view->nodes) {
    if (const RegValue* value = node->FindValue(name)) return value;
  }
  return nullptr;
}

TRegDataType DataTypeOf(const RegValue& value) {
  switch (value.type) {
    case rd::kRegSz:
      return TRegDataType::rdString;
    case rd::kRegExpandSz:
      return TRegDataType::rdExpandString;
    case rd::kRegDword:
      return value.data.size() == 4 ? TRegDataType::rdInteger : TRegDataType::rdUnknown;
    case rd::kRegBinary:
      return TRegDataType::rdBinary;
    default:
      return TRegDataType::rdUnknown;
  }
}

void AddUnique(std::vector<std::string>& names, const std::string& name) {
  for (const auto& existing : names) {
    if (SameText(existing, name)) return;
  }
  names.push_back(name);
}

}  // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(HKEY rootKey) : RootKey(rootKey) {}

TRegistry::~TRegistry() = default;

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::shared_ptr<const RegistryImage> image = CurrentImage();
  if (!image) return false;
  const bool relative = key.empty() || key[0] != '\\';
  std::vector<std::string> parts = SplitKeyPath(key);
  std::uint32_t root = RootKey;
  if (relative && current_ != nullptr) {
    std::vector<std::string> base = SplitKeyPath(currentPath_);
    parts.insert(parts.begin(), base.begin(), base.end());
    root = currentRoot_;
  }
  std::unique_ptr<KeyView> view = ResolveKey(*image, root, parts);
  if (view == nullptr) {
    (void)canCreate;  // nothing can be created in a registry read from a file
    return false;
  }
  image_ = std::move(image);
  current_ = std::move(view);
  currentRoot_ = root;
  currentPath_ = JoinKeyPath(parts);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
  return OpenKey(key, false);
}

void TRegistry::CloseKey() {
  current_.reset();
  image_.reset();
  currentPath_.clear();
}

bool TRegistry::HasOpenKey() const {
  return current_ != nullptr;
}

bool TRegistry::KeyExists(const std::string& key) {
  std::shared_ptr<const RegistryImage> image = CurrentImage();
  if (!image) return false;
  std::vector<std::string> parts = SplitKeyPath(key);
  std::uint32_t root = RootKey;
  if ((key.empty() || key[0] != '\\') && current_ != nullptr) {
    std::vector<std::string> base = SplitKeyPath(currentPath_);
    parts.insert(parts.begin(), base.begin(), base.end());
    root = currentRoot_;
  }
  return ResolveKey(*image, root, parts) != nullptr;
}

bool TRegistry::ValueExists(const std::string& name) const {
  return FindValue(current_.get(), name) != nullptr;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
  const RegValue* value = FindValue(current_.get(), name);
  return value ? DataTypeOf(*value) : TRegDataType::rdUnknown;
}

std::string TRegistry::ReadString(const std::string& name) const {
  const RegValue* value = FindValue(current_.get(), name);
  if (value == nullptr) return std::string();
  TRegDataType type = DataTypeOf(*value);
  if (type != TRegDataType::rdString && type != TRegDataType::rdExpandString) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  return value->text;
}

int TRegistry::ReadInteger(const std::string& name) const {
  const RegValue* value = FindValue(current_.get(), name);
  if (value == nullptr) throw ERegistryException("Failed to get data for '" + name + "'");
  if (DataTypeOf(*value) != TRegDataType::rdInteger) {
    throw ERegistryException("Invalid data type for '" + name + "'");
  }
  return static_cast<int>(value->dword);
}

bool TRegistry::ReadBool(const std::string& name) const {
  return ReadInteger(name) != 0;
}

std::vector<std::uint8_t> TRegistry::ReadBinaryData(const std::string& name) const {
  const RegValue* value = FindValue(current_.get(), name);
  if (value == nullptr) throw ERegistryException("Failed to get data for '" + name + "'");
  return value->data;
}

std::vector<std::string> TRegistry::GetValueNames() const {
  std::vector<std::string> names;
  if (current_ == nullptr) return names;
  for (const RegKey* node : current_->nodes) {
    for (const auto& value : node->values) AddUnique(names, value.name);
  }
  return names;
}

std::vector<std::string> TRegistry::GetKeyNames() const {
  std::vector<std::string> names;
  if (current_ == nullptr) return names;
  for (const RegKey* node : current_->nodes) {
    for (const auto& child : node->children) AddUnique(names, child->name);
  }
  return names;
}

void TRegistry::GetValueNames(TStrings& names) const {
  names.BeginUpdate();
  names.Clear();
  names.AddStrings(GetValueNames());
  names.EndUpdate();
}

void TRegistry::GetKeyNames(TStrings& names) const {
  names.BeginUpdate();
  names.Clear();
  names.AddStrings(GetKeyNames());
  names.EndUpdate();
}

bool TRegistry::HasSubKeys() const {
  if (current_ == nullptr) return false;
  for (const RegKey* node : current_->nodes) {
    if (!node->children.empty()) return true;
  }
  return false;
}

}  // namespace qv
