#pragma once
// TClientDataSet: records fetched from a provider of an application-server
// object, kept and browsed in memory. Edits are local: nothing is sent back.
//
// Provider interface. The data set asks the application server (the AppServer
// of its TSocketConnection, or one set directly) for the provider's records
// with one late-bound call:
//
//   AS_GetRecords(ProviderName)      ProviderName: text, by value
//
// and expects a packet, a one-dimensional array with low bound 0:
//
//   [0] field names     1-D array of F non-empty texts, unique without regard to case
//   [1] display labels  1-D array of F texts ("" = the field name), or Empty
//   [2] records         2-D array, dimension 1 the field (F elements), dimension 2
//                       the record (R elements): rows[f, r] is field f of record r.
//                       Empty, or a 2-D array with no records, when there are none.
//   [3] field types     optional: 1-D array of F texts, each one of "String",
//                       "WideString", "Memo", "Smallint", "Integer", "LargeInt",
//                       "Boolean", "Float", "DateTime" (any case); "" or a
//                       missing element = taken from the first non-null value.
//
// The low bounds of the arrays may be anything; fields are matched by position.
// A provider that fails raises an error from the call; an unknown provider
// name is such a failure.
//
// Fields. Persistent fields (AddField before Open) keep their settings and
// handlers across Close and Open and must all be present in the packet; without
// persistent fields the fields are made from the packet on Open and freed on
// Close.

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/core/exception.h"
#include "platform/variant/variant.h"

namespace qv {

QV_DECLARE_EXCEPTION(EDatabaseError, Exception);

class TSocketConnection;
class TClientDataSet;

enum class TFieldType {
  ftUnknown,
  ftString,
  ftWideString,
  ftMemo,
  ftSmallint,
  ftInteger,
  ftLargeint,
  ftBoolean,
  ftFloat,
  ftDateTime
};

enum class TDataSetState { dsInactive, dsBrowse, dsEdit };

class TField {
 public:
  // text: the value's text on entry, what is shown on return.
  using TFieldGetTextEvent = std::function<void(TField& sender, std::string& text, bool display)>;
  using TFieldSetTextEvent = std::function<void(TField& sender, const std::string& text)>;

  TField(TClientDataSet& dataSet, std::string fieldName, TFieldType dataType);
  TField(const TField&) = delete;
  TField& operator=(const TField&) = delete;

  TClientDataSet& DataSet() const noexcept { return dataSet_; }
  const std::string& FieldName() const noexcept { return fieldName_; }
  TFieldType DataType() const noexcept { return dataType_; }
  // String, wide string and memo fields.
  bool IsTextField() const noexcept;
  // Position among the data set's fields (0-based).
  int Index() const;

  // The field name when no label was set.
  std::string DisplayLabel() const;
  void SetDisplayLabel(std::string label) { displayLabel_ = std::move(label); }
  bool Visible() const noexcept { return visible_; }
  void SetVisible(bool visible) noexcept { visible_ = visible; }

  // The value of the current record; Null when the data set has no records.
  // EDatabaseError when the data set is closed.
  Variant AsVariant() const;
  bool IsNull() const;
  std::string AsString() const;  // Null gives ""
  int AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;
  double AsDateTime() const;
  // Writing needs the data set in edit state (Edit); the value is converted to
  // the field's type. EDatabaseError otherwise.
  void SetAsVariant(const Variant& value);
  void SetAsString(const std::string& value);
  void Clear();

  // Text and DisplayText go through OnGetText when it is set (display false and
  // true); SetText goes through OnSetText when it is set, else sets AsString.
  std::string Text() const;
  std::string DisplayText() const;
  void SetText(const std::string& text);

  const TFieldGetTextEvent& OnGetText() const noexcept { return onGetText_; }
  void SetOnGetText(TFieldGetTextEvent handler) { onGetText_ = std::move(handler); }
  const TFieldSetTextEvent& OnSetText() const noexcept { return onSetText_; }
  void SetOnSetText(TFieldSetTextEvent handler) { onSetText_ = std::move(handler); }

 private:
  friend class TClientDataSet;
  std::string GetTextThroughHandler(bool display) const;

  TClientDataSet& dataSet_;
  std::string fieldName_;
  TFieldType dataType_;
  std::string displayLabel_;
  bool visible_ = true;
  std::size_t column_ = 0;  // position of the field's values in a record
  TFieldGetTextEvent onGetText_;
  TFieldSetTextEvent onSetText_;
};

struct TLocateOptions {
  bool caseInsensitive = false;
  // A text value matches a field value that begins with it.
  bool partialKey = false;
};

class TClientDataSet {
 public:
  explicit TClientDataSet(std::string name = "ClientDataSet");
  ~TClientDataSet();
  TClientDataSet(const TClientDataSet&) = delete;
  TClientDataSet& operator=(const TClientDataSet&) = delete;

  const std::string& Name() const noexcept { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  // The connection whose AppServer serves the provider (not owned).
  TSocketConnection* RemoteServer() const noexcept { return remoteServer_; }
  void SetRemoteServer(TSocketConnection* connection) noexcept { remoteServer_ = connection; }
  // An application server to use instead of a connection's.
  void SetAppServer(Variant appServer) { appServer_ = std::move(appServer); }
  const std::string& ProviderName() const noexcept { return providerName_; }
  void SetProviderName(std::string name) { providerName_ = std::move(name); }

  // Fetches the provider's records and goes to the first one. EDatabaseError
  // when there is no provider or server, or the packet is malformed; errors of
  // the call itself pass through. Open on an open data set does nothing.
  void Open();
  // Loads a packet (same shape as AS_GetRecords returns) without a provider.
  void OpenWithData(const Variant& packet);
  // Drops the records (and any pending edit).
  void Close();
  bool Active() const noexcept { return state_ != TDataSetState::dsInactive; }
  void SetActive(bool active);
  TDataSetState State() const noexcept { return state_; }

  // Navigation posts a pending edit first. Eof is true after Next on the last
  // record and on an empty data set; Bof after Prior on the first and on First.
  void First();
  void Next();
  void Prior();
  void Last();
  bool Eof() const noexcept { return eof_; }
  bool Bof() const noexcept { return bof_; }
  int RecordCount() const;
  bool IsEmpty() const;
  // 1-based position of the current record in the current order; 0 when none.
  int RecNo() const;
  void SetRecNo(int recNo);

  // Persistent fields; EDatabaseError while open or for a duplicate name.
  TField& AddField(const std::string& fieldName, TFieldType dataType = TFieldType::ftUnknown);
  int FieldCount() const noexcept { return static_cast<int>(fields_.size()); }
  TField& Fields(int index) const;
  // Any case. FieldByName raises EDatabaseError "Field 'X' not found".
  TField& FieldByName(const std::string& fieldName) const;
  TField* FindField(const std::string& fieldName) const;

  // Moves to the first record (in the current order) whose key fields
  // ("A;B;C") equal the values: one value for one field, an array of values
  // for several. False, and the position unchanged, when none matches.
  bool Locate(const std::string& keyFields, const Variant& keyValues, TLocateOptions options = {});
  // Locate by the fields of the current index.
  bool FindKey(std::span<const Variant> keyValues);

  // Local editing of the current record.
  void Edit();
  void Post();
  void Cancel();

  // Orders the records by these fields ("A;B"), ascending; "" keeps the
  // provider's order. Replaces a chosen IndexName.
  const std::string& IndexFieldNames() const noexcept { return indexFieldNames_; }
  void SetIndexFieldNames(const std::string& fieldNames);
  // Named indexes; choosing one orders by its fields.
  void AddIndexDef(const std::string& name, const std::string& fieldNames);
  const std::string& IndexName() const noexcept { return indexName_; }
  void SetIndexName(const std::string& name);
  // Fields of the order in force ("" for none).
  std::string CurrentIndexFields() const;

  // Counted: controls bound to the data set do not follow it meanwhile.
  void DisableControls() noexcept { ++disableCount_; }
  void EnableControls() noexcept {
    if (disableCount_ > 0) --disableCount_;
  }
  bool ControlsDisabled() const noexcept { return disableCount_ > 0; }

 private:
  friend class TField;
  using Record = std::vector<Variant>;
  struct IndexDef {
    std::string name;
    std::string fields;
  };

  Variant FetchPacket();
  void LoadPacket(const Variant& packet);
  void CheckActive() const;
  void CheckBrowseAndPost();
  void ApplyOrder();
  void ReorderKeepingCurrent();
  std::vector<const TField*> ResolveFields(const std::string& fieldNames) const;
  const Variant& CurrentValue(const TField& field) const;
  Variant& EditValue(const TField& field);
  void MoveTo(std::size_t position);

  std::string name_;
  TSocketConnection* remoteServer_ = nullptr;
  Variant appServer_;
  std::string providerName_;
  TDataSetState state_ = TDataSetState::dsInactive;

  std::vector<std::unique_ptr<TField>> fields_;
  bool persistentFields_ = false;
  std::vector<Record> records_;
  std::vector<std::size_t> order_;  // record numbers in the current order
  std::size_t position_ = 0;        // index into order_
  bool eof_ = true;
  bool bof_ = true;
  Record editBuffer_;

  std::string indexFieldNames_;
  std::string indexName_;
  std::vector<IndexDef> indexDefs_;
  int disableCount_ = 0;
};

}  // namespace qv
