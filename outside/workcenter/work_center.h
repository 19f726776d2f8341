#pragma once
// The host's work-center object "PellamWorkCenter.Manager" and the three
// services it hands out, over the demo ERP database.
//
// Work center (W):
//   GetMessage(type, number)   -> message text ("%s" where arguments go), in the
//                                 work center's Language ("zh-CN" or "en")
//   VersionType(), ProductID() -> integers from the database
//   CallHelp([program, help number]) -> recorded (memory and help_calls.jsonl)
//   GetFileList([file name])   -> "<Modify>stamp</Modify><Path>path</Path>", or ""
//   Com_Counter(), Com_Validator(), Com_F2Window() -> the services below
//   Language                   -> property
//   QueueLookupAnswer(rows)    -> the next lookup window picks these row indexes
//                                 (Empty or an empty array: it is closed without a choice)
//   QueueDateAnswer(date)      -> the next date picker answers "yyyymmdd" ("" : closed)
//   ClearAnswers()
//   ChoiceSource := object     -> an automation object answering ChooseRows/ChooseDate
//                                 (see choice_source.h); Empty goes back to the queue
//   LastLookup()               -> [table, key, title, captions, rows] of the last window
//
// Counter (C): GetSysInfo(var company) -> 2-D array [0..1, 0..n-1] of names and
//   values; GetCounter(name, var data, [db, company]) with name "SimpleSQL" and
//   data [SELECT statement, field names] -> array of rows (Empty when none).
// Validator (V): ProductID, BaseLimited properties; QueryData and CheckValue(var
//   table, var key, var db, var args, var row) -> Boolean; row := all matching
//   rows (QueryData) or the first one (CheckValue), Empty when none.
// Lookup windows (F): F2GetData(A) with A the nineteen-element lookup request
//   -> array of the chosen rows, Empty when none; ShowInputDay([rocYear,
//   yyyymmdd, db]) -> "yyyymmdd" or ""; GetPhrase(var user, var db, handle) ->
//   the chosen phrase or "".

#include <memory>
#include <mutex>
#include <string>

#include "platform/automation/auto_object.h"
#include "workcenter/choice_source.h"
#include "workcenter/erp_database.h"

namespace standin {

inline constexpr const char* kWorkCenterProgId = "PellamWorkCenter.Manager";

class TWorkCenter : public qv::TAutoObject {
 public:
  TWorkCenter(std::shared_ptr<ErpDatabase> database, std::shared_ptr<ChoiceHub> choices);
  static std::shared_ptr<TWorkCenter> CreateDefault();

  // The lookup windows and date pickers of this work center's services ask it.
  void SetChoiceSource(std::shared_ptr<ChoiceSource> source) {
    choices_->SetSource(std::move(source));
  }
  ChoiceHub& Choices() { return *choices_; }
  ErpDatabase& Database() { return *database_; }
  std::string Language() const;

 private:
  std::string MessageText(const std::string& type, const std::string& number);

  std::shared_ptr<ErpDatabase> database_;
  std::shared_ptr<ChoiceHub> choices_;
  mutable std::mutex mutex_;
  std::string language_;
  qv::Variant choiceObject_;
};

}  // namespace standin
