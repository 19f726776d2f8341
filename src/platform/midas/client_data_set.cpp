#include "platform/midas/client_data_set.h"

#include <algorithm>
#include <numeric>

#include "platform/midas/socket_connection.h"
#include "platform/variant/var_array.h"

namespace qv {

namespace {

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool SameName(std::string_view a, std::string_view b) {
  return LowerAscii(a) == LowerAscii(b);
}

std::string TrimSpaces(std::string_view text) {
  const auto begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const auto end = text.find_last_not_of(" \t");
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string> SplitNames(const std::string& names) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= names.size()) {
    const std::size_t end = std::min(names.find(';', start), names.size());
    std::string name = TrimSpaces(std::string_view(names).substr(start, end - start));
    if (!name.empty()) out.push_back(std::move(name));
    start = end + 1;
  }
  return out;
}

bool IsBlank(const Variant& v) {
  return v.IsEmpty() || v.IsNull();
}

struct TypeName {
  const char* name;
  TFieldType type;
};
constexpr TypeName kTypeNames[] = {
    {"String", TFieldType::ftString},     {"WideString", TFieldType::ftWideString},
    {"Memo", TFieldType::ftMemo},         {"Smallint", TFieldType::ftSmallint},
    {"Integer", TFieldType::ftInteger},   {"LargeInt", TFieldType::ftLargeint},
    {"Boolean", TFieldType::ftBoolean},   {"Float", TFieldType::ftFloat},
    {"DateTime", TFieldType::ftDateTime},
};

TFieldType TypeOfValue(const Variant& v) {
  switch (v.VarType()) {
    case varString:
      return TFieldType::ftString;
    case varOleStr:
      return TFieldType::ftWideString;
    case varSmallint:
    case varByte:
      return TFieldType::ftSmallint;
    case varInteger:
      return TFieldType::ftInteger;
    case varInt64:
      return TFieldType::ftLargeint;
    case varSingle:
    case varDouble:
      return TFieldType::ftFloat;
    case varDate:
      return TFieldType::ftDateTime;
    case varBoolean:
      return TFieldType::ftBoolean;
    default:
      return TFieldType::ftUnknown;
  }
}

Variant ConvertForField(const Variant& value, TFieldType type) {
  if (IsBlank(value)) return Variant::Null();
  switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftWideString:
    case TFieldType::ftMemo:
      return value.IsStr() ? value : Variant(VarToWideStr(value));
    case TFieldType::ftSmallint:
      return VarAsType(value, varSmallint);
    case TFieldType::ftInteger:
      return VarAsType(value, varInteger);
    case TFieldType::ftLargeint:
      return VarAsType(value, varInt64);
    case TFieldType::ftBoolean:
      return VarAsType(value, varBoolean);
    case TFieldType::ftFloat:
      return VarAsType(value, varDouble);
    case TFieldType::ftDateTime:
      return VarAsType(value, varDate);
    case TFieldType::ftUnknown:
      break;
  }
  return value;
}

// Order of index keys: blanks first, then numbers (dates and Booleans too),
// then texts by their bytes, then anything else.
int Rank(const Variant& v) {
  if (IsBlank(v)) return 0;
  if (v.IsStr()) return 2;
  if (v.IsNumeric() || v.VarType() == varDate || v.VarType() == varBoolean) return 1;
  return 3;
}

int CompareKeys(const Variant& a, const Variant& b) {
  const int ra = Rank(a);
  const int rb = Rank(b);
  if (ra != rb) return ra < rb ? -1 : 1;
  if (ra == 1) {
    const double x = a.AsDouble();
    const double y = b.AsDouble();
    return x < y ? -1 : (y < x ? 1 : 0);
  }
  if (ra == 2) {
    const int c = VarToStr(a).compare(VarToStr(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  }
  return 0;
}

bool KeyMatches(const Variant& value, const Variant& key, const TLocateOptions& options) {
  if (IsBlank(key) || IsBlank(value)) return IsBlank(key) && IsBlank(value);
  if (key.IsStr() || value.IsStr()) {
    if (!key.IsStr() || !value.IsStr() || options.caseInsensitive || options.partialKey) {
      if (key.IsArray() || value.IsArray() || key.IsDispatch() || value.IsDispatch()) {
        return false;
      }
      std::string a = VarToStr(value);
      std::string b = VarToStr(key);
      if (options.caseInsensitive) {
        a = LowerAscii(a);
        b = LowerAscii(b);
      }
      return options.partialKey ? a.starts_with(b) : a == b;
    }
  }
  return value == key;
}

}  // namespace

// ------------------------------------------------------------------ TField --

TField::TField(TClientDataSet& dataSet, std::string fieldName, TFieldType dataType)
    : dataSet_(dataSet), fieldName_(std::move(fieldName)), dataType_(dataType) {}

bool TField::IsTextField() const noexcept {
  return dataType_ == TFieldType::ftString || dataType_ == TFieldType::ftWideString ||
         dataType_ == TFieldType::ftMemo;
}

int TField::Index() const {
  for (int i = 0; i < dataSet_.FieldCount(); ++i) {
    if (&dataSet_.Fields(i) == this) return i;
  }
  return -1;
}

std::string TField::DisplayLabel() const {
  return displayLabel_.empty() ? fieldName_ : displayLabel_;
}

Variant TField::AsVariant() const {
  return dataSet_.CurrentValue(*this);
}

bool TField::IsNull() const {
  return IsBlank(AsVariant());
}

std::string TField::AsString() const {
  return VarToStr(AsVariant());
}

int TField::AsInteger() const {
  const Variant v = AsVariant();
  return IsBlank(v) ? 0 : v.AsInteger();
}

double TField::AsFloat() const {
  const Variant v = AsVariant();
  return IsBlank(v) ? 0.0 : v.AsDouble();
}

bool TField::AsBoolean() const {
  const Variant v = AsVariant();
  return IsBlank(v) ? false : v.AsBoolean();
}

double TField::AsDateTime() const {
  const Variant v = AsVariant();
  return IsBlank(v) ? 0.0 : v.AsDateTime();
}

void TField::SetAsVariant(const Variant& value) {
  Variant& target = dataSet_.EditValue(*this);
  target = ConvertForField(value, dataType_);
}

void TField::SetAsString(const std::string& value) {
  SetAsVariant(Variant(value));
}

void TField::Clear() {
  SetAsVariant(Variant::Null());
}

std::string TField::GetTextThroughHandler(bool display) const {
  std::string text = AsString();
  if (onGetText_) onGetText_(const_cast<TField&>(*this), text, display);
  return text;
}

std::string TField::Text() const {
  return GetTextThroughHandler(false);
}

std::string TField::DisplayText() const {
  return GetTextThroughHandler(true);
}

void TField::SetText(const std::string& text) {
  if (onSetText_) {
    onSetText_(*this, text);
  } else {
    SetAsString(text);
  }
}

// ---------------------------------------------------------- TClientDataSet --

TClientDataSet::TClientDataSet(std::string name) : name_(std::move(name)) {}

TClientDataSet::~TClientDataSet() = default;

void TClientDataSet::Open() {
  if (Active()) return;
  LoadPacket(FetchPacket());
}

void TClientDataSet::OpenWithData(const Variant& packet) {
  if (Active()) Close();
  LoadPacket(packet);
}

void TClientDataSet::SetActive(bool active) {
  if (active) {
    Open();
  } else {
    Close();
  }
}

Variant TClientDataSet::FetchPacket() {
  if (providerName_.empty()) throw EDatabaseError(name_ + ": Missing data provider name");
  Variant server = appServer_;
  if (server.IsEmpty() && remoteServer_ != nullptr) {
    if (remoteServer_->AppServer().IsEmpty()) remoteServer_->Open();
    server = remoteServer_->AppServer();
  }
  if (!server.IsDispatch()) {
    throw EDatabaseError(name_ + ": no application server to ask for provider \"" + providerName_ +
                         "\"");
  }
  return server.Call("AS_GetRecords", {Variant(providerName_)});
}

void TClientDataSet::LoadPacket(const Variant& packet) {
  auto malformed = [&](const std::string& why) {
    return EDatabaseError(name_ + ": the data packet of provider \"" + providerName_ +
                          "\" is malformed: " + why);
  };
  auto isList = [](const Variant& v) { return v.IsArray() && VarArrayDimCount(v) == 1; };
  auto listCount = [](const Variant& v) {
    return VarArrayHighBound(v, 1) - VarArrayLowBound(v, 1) + 1;
  };

  if (!isList(packet) || listCount(packet) < 3) {
    throw malformed("it is not an array of field names, labels and records");
  }
  const int base = VarArrayLowBound(packet, 1);
  const Variant& names = packet[base];
  const Variant& labels = packet[base + 1];
  const Variant& rows = packet[base + 2];
  const Variant types = listCount(packet) > 3 ? packet[base + 3] : Variant();

  if (!isList(names) || listCount(names) < 1) throw malformed("no list of field names");
  const int fieldCount = listCount(names);
  const int namesLow = VarArrayLowBound(names, 1);
  std::vector<std::string> fieldNames;
  for (int f = 0; f < fieldCount; ++f) {
    const Variant& name = names[namesLow + f];
    if (!name.IsStr() || VarToStr(name).empty()) {
      throw malformed("field " + std::to_string(f + 1) + " has no name");
    }
    std::string text = VarToStr(name);
    for (const auto& earlier : fieldNames) {
      if (SameName(earlier, text)) throw malformed("field \"" + text + "\" appears twice");
    }
    fieldNames.push_back(std::move(text));
  }
  auto optionalTexts = [&](const Variant& list, const char* what) {
    std::vector<std::string> out(fieldCount);
    if (IsBlank(list)) return out;
    if (!isList(list) || listCount(list) != fieldCount) {
      throw malformed(std::string("the ") + what + " do not match the " +
                      std::to_string(fieldCount) + " fields");
    }
    const int low = VarArrayLowBound(list, 1);
    for (int f = 0; f < fieldCount; ++f) {
      const Variant& v = list[low + f];
      if (!IsBlank(v) && !v.IsStr()) {
        throw malformed(std::string("the ") + what + " hold a value that is no text");
      }
      out[f] = VarToStr(v);
    }
    return out;
  };
  const std::vector<std::string> labelTexts = optionalTexts(labels, "display labels");
  const std::vector<std::string> typeTexts = optionalTexts(types, "field types");

  int recordCount = 0;
  if (rows.IsArray() && VarArrayDimCount(rows) == 2) {
    if (listCount(rows) != fieldCount) {
      throw malformed("records of " + std::to_string(listCount(rows)) + " fields where " +
                      std::to_string(fieldCount) + " are named");
    }
    recordCount = VarArrayHighBound(rows, 2) - VarArrayLowBound(rows, 2) + 1;
  } else if (!(IsBlank(rows) || (isList(rows) && listCount(rows) == 0))) {
    throw malformed("the records are not a two-dimensional array");
  }

  std::vector<TFieldType> fieldTypes(fieldCount, TFieldType::ftUnknown);
  for (int f = 0; f < fieldCount; ++f) {
    if (typeTexts[f].empty()) continue;
    auto it = std::find_if(std::begin(kTypeNames), std::end(kTypeNames),
                           [&](const TypeName& t) { return SameName(t.name, typeTexts[f]); });
    if (it == std::end(kTypeNames)) {
      throw malformed("field \"" + fieldNames[f] + "\" has the unknown type \"" + typeTexts[f] +
                      "\"");
    }
    fieldTypes[f] = it->type;
  }

  std::vector<Record> records(static_cast<std::size_t>(recordCount), Record(fieldCount));
  if (recordCount > 0) {
    const int fieldLow = VarArrayLowBound(rows, 1);
    const int recordLow = VarArrayLowBound(rows, 2);
    for (int r = 0; r < recordCount; ++r) {
      for (int f = 0; f < fieldCount; ++f) records[r][f] = rows.At(fieldLow + f, recordLow + r);
    }
  }
  for (int f = 0; f < fieldCount; ++f) {
    if (fieldTypes[f] != TFieldType::ftUnknown) continue;
    fieldTypes[f] = TFieldType::ftString;
    for (const Record& record : records) {
      if (!IsBlank(record[f])) {
        fieldTypes[f] = TypeOfValue(record[f]);
        break;
      }
    }
  }

  if (persistentFields_) {
    for (auto& field : fields_) {
      auto it = std::find_if(fieldNames.begin(), fieldNames.end(),
                             [&](const std::string& n) { return SameName(n, field->fieldName_); });
      if (it == fieldNames.end()) {
        throw EDatabaseError(name_ + ": Field '" + field->fieldName_ + "' not found");
      }
      field->column_ = static_cast<std::size_t>(it - fieldNames.begin());
      if (field->dataType_ == TFieldType::ftUnknown) field->dataType_ = fieldTypes[field->column_];
    }
  } else {
    fields_.clear();
    for (int f = 0; f < fieldCount; ++f) {
      auto field = std::make_unique<TField>(*this, fieldNames[f], fieldTypes[f]);
      field->displayLabel_ = labelTexts[f];
      field->column_ = static_cast<std::size_t>(f);
      fields_.push_back(std::move(field));
    }
  }

  records_ = std::move(records);
  state_ = TDataSetState::dsBrowse;
  try {
    ApplyOrder();
  } catch (...) {
    Close();
    throw;
  }
  position_ = 0;
  bof_ = true;
  eof_ = order_.empty();
}

void TClientDataSet::Close() {
  state_ = TDataSetState::dsInactive;
  records_.clear();
  order_.clear();
  editBuffer_.clear();
  position_ = 0;
  bof_ = eof_ = true;
  if (!persistentFields_) fields_.clear();
}

void TClientDataSet::CheckActive() const {
  if (!Active()) {
    throw EDatabaseError(name_ + ": Cannot perform this operation on a closed dataset");
  }
}

void TClientDataSet::CheckBrowseAndPost() {
  CheckActive();
  if (state_ == TDataSetState::dsEdit) Post();
}

void TClientDataSet::MoveTo(std::size_t position) {
  position_ = position;
  bof_ = eof_ = false;
}

void TClientDataSet::First() {
  CheckBrowseAndPost();
  position_ = 0;
  bof_ = true;
  eof_ = order_.empty();
}

void TClientDataSet::Next() {
  CheckBrowseAndPost();
  if (position_ + 1 < order_.size()) {
    MoveTo(position_ + 1);
  } else {
    eof_ = true;
    bof_ = order_.empty();
  }
}

void TClientDataSet::Prior() {
  CheckBrowseAndPost();
  if (position_ > 0 && !order_.empty()) {
    MoveTo(position_ - 1);
  } else {
    bof_ = true;
    eof_ = order_.empty();
  }
}

void TClientDataSet::Last() {
  CheckBrowseAndPost();
  position_ = order_.empty() ? 0 : order_.size() - 1;
  eof_ = true;
  bof_ = order_.empty();
}

int TClientDataSet::RecordCount() const {
  CheckActive();
  return static_cast<int>(records_.size());
}

bool TClientDataSet::IsEmpty() const {
  return !Active() || records_.empty();
}

int TClientDataSet::RecNo() const {
  return Active() && !order_.empty() ? static_cast<int>(position_) + 1 : 0;
}

void TClientDataSet::SetRecNo(int recNo) {
  CheckBrowseAndPost();
  if (recNo < 1 || static_cast<std::size_t>(recNo) > order_.size()) {
    throw EDatabaseError(name_ + ": record " + std::to_string(recNo) + " does not exist (" +
                         std::to_string(order_.size()) + " records)");
  }
  MoveTo(static_cast<std::size_t>(recNo - 1));
}

TField& TClientDataSet::AddField(const std::string& fieldName, TFieldType dataType) {
  if (Active()) throw EDatabaseError(name_ + ": Cannot add fields to an open dataset");
  if (TrimSpaces(fieldName).empty()) throw EDatabaseError(name_ + ": a field needs a name");
  if (FindField(fieldName) != nullptr) {
    throw EDatabaseError(name_ + ": Duplicate field name '" + fieldName + "'");
  }
  if (!persistentFields_) fields_.clear();
  persistentFields_ = true;
  fields_.push_back(std::make_unique<TField>(*this, fieldName, dataType));
  return *fields_.back();
}

TField& TClientDataSet::Fields(int index) const {
  if (index < 0 || index >= FieldCount()) {
    throw EDatabaseError(name_ + ": field index " + std::to_string(index) + " out of bounds");
  }
  return *fields_[static_cast<std::size_t>(index)];
}

TField* TClientDataSet::FindField(const std::string& fieldName) const {
  for (const auto& field : fields_) {
    if (SameName(field->FieldName(), fieldName)) return field.get();
  }
  return nullptr;
}

TField& TClientDataSet::FieldByName(const std::string& fieldName) const {
  TField* field = FindField(fieldName);
  if (field == nullptr) throw EDatabaseError(name_ + ": Field '" + fieldName + "' not found");
  return *field;
}

std::vector<const TField*> TClientDataSet::ResolveFields(const std::string& fieldNames) const {
  std::vector<const TField*> out;
  for (const std::string& name : SplitNames(fieldNames)) out.push_back(&FieldByName(name));
  return out;
}

const Variant& TClientDataSet::CurrentValue(const TField& field) const {
  static const Variant kNull = Variant::Null();
  CheckActive();
  if (state_ == TDataSetState::dsEdit) return editBuffer_[field.column_];
  if (order_.empty()) return kNull;
  return records_[order_[position_]][field.column_];
}

Variant& TClientDataSet::EditValue(const TField& field) {
  CheckActive();
  if (state_ != TDataSetState::dsEdit) {
    throw EDatabaseError(name_ + ": Dataset not in edit or insert mode");
  }
  return editBuffer_[field.column_];
}

bool TClientDataSet::Locate(const std::string& keyFields, const Variant& keyValues,
                            TLocateOptions options) {
  CheckBrowseAndPost();
  const std::vector<const TField*> fields = ResolveFields(keyFields);
  if (fields.empty()) throw EDatabaseError(name_ + ": Locate needs at least one key field");
  std::vector<Variant> keys;
  if (keyValues.IsArray()) {
    if (VarArrayDimCount(keyValues) != 1) {
      throw EDatabaseError(name_ + ": Locate needs a one-dimensional array of key values");
    }
    for (const Variant& v : keyValues.ArrayData()->Elements()) keys.push_back(v);
  } else {
    keys.push_back(keyValues);
  }
  if (keys.size() != fields.size()) {
    throw EDatabaseError(name_ + ": Locate got " + std::to_string(keys.size()) + " values for " +
                         std::to_string(fields.size()) + " key fields");
  }
  for (std::size_t pos = 0; pos < order_.size(); ++pos) {
    const Record& record = records_[order_[pos]];
    bool all = true;
    for (std::size_t k = 0; k < fields.size() && all; ++k) {
      all = KeyMatches(record[fields[k]->column_], keys[k], options);
    }
    if (all) {
      MoveTo(pos);
      return true;
    }
  }
  return false;
}

bool TClientDataSet::FindKey(std::span<const Variant> keyValues) {
  CheckActive();
  const std::vector<std::string> names = SplitNames(CurrentIndexFields());
  if (names.empty()) throw EDatabaseError(name_ + ": No index currently active");
  if (keyValues.empty() || keyValues.size() > names.size()) {
    throw EDatabaseError(name_ + ": FindKey got " + std::to_string(keyValues.size()) +
                         " values for an index of " + std::to_string(names.size()) + " fields");
  }
  std::string fields;
  for (std::size_t i = 0; i < keyValues.size(); ++i) fields += (i ? ";" : "") + names[i];
  return Locate(fields, VarArrayOf(keyValues));
}

void TClientDataSet::Edit() {
  CheckActive();
  if (state_ == TDataSetState::dsEdit) return;
  if (order_.empty()) throw EDatabaseError(name_ + ": Cannot edit: the dataset has no records");
  editBuffer_ = records_[order_[position_]];
  state_ = TDataSetState::dsEdit;
}

void TClientDataSet::Post() {
  CheckActive();
  if (state_ != TDataSetState::dsEdit) {
    throw EDatabaseError(name_ + ": Dataset not in edit or insert mode");
  }
  const std::size_t record = order_[position_];
  records_[record] = std::move(editBuffer_);
  editBuffer_.clear();
  state_ = TDataSetState::dsBrowse;
  ApplyOrder();
  position_ =
      static_cast<std::size_t>(std::find(order_.begin(), order_.end(), record) - order_.begin());
}

void TClientDataSet::Cancel() {
  if (state_ != TDataSetState::dsEdit) return;
  editBuffer_.clear();
  state_ = TDataSetState::dsBrowse;
}

void TClientDataSet::SetIndexFieldNames(const std::string& fieldNames) {
  if (Active()) {
    CheckBrowseAndPost();
    ResolveFields(fieldNames);
  }
  indexFieldNames_ = fieldNames;
  indexName_.clear();
  ReorderKeepingCurrent();
}

void TClientDataSet::AddIndexDef(const std::string& name, const std::string& fieldNames) {
  for (auto& def : indexDefs_) {
    if (SameName(def.name, name)) {
      def.fields = fieldNames;
      return;
    }
  }
  indexDefs_.push_back({name, fieldNames});
}

void TClientDataSet::SetIndexName(const std::string& name) {
  if (!name.empty()) {
    auto it = std::find_if(indexDefs_.begin(), indexDefs_.end(),
                           [&](const IndexDef& d) { return SameName(d.name, name); });
    if (it == indexDefs_.end()) throw EDatabaseError(name_ + ": Index '" + name + "' not found");
    if (Active()) ResolveFields(it->fields);
  }
  if (Active()) CheckBrowseAndPost();
  indexName_ = name;
  indexFieldNames_.clear();
  ReorderKeepingCurrent();
}

void TClientDataSet::ReorderKeepingCurrent() {
  if (!Active()) return;
  const std::size_t record = order_.empty() ? 0 : order_[position_];
  ApplyOrder();
  if (order_.empty()) return;
  position_ =
      static_cast<std::size_t>(std::find(order_.begin(), order_.end(), record) - order_.begin());
}

std::string TClientDataSet::CurrentIndexFields() const {
  if (!indexName_.empty()) {
    for (const auto& def : indexDefs_) {
      if (SameName(def.name, indexName_)) return def.fields;
    }
  }
  return indexFieldNames_;
}

void TClientDataSet::ApplyOrder() {
  order_.resize(records_.size());
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  const std::vector<const TField*> keys = ResolveFields(CurrentIndexFields());
  if (keys.empty()) return;
  std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
    for (const TField* key : keys) {
      const int c = CompareKeys(records_[a][key->column_], records_[b][key->column_]);
      if (c != 0) return c < 0;
    }
    return false;
  });
}

}  // namespace qv
