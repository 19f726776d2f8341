#include "workcenter/work_center.h"

#include "common/call_recorder.h"
#include "platform/system/clock.h"
#include "platform/text/string_utils.h"
#include "workcenter/com_counter.h"
#include "workcenter/com_f2_window.h"
#include "workcenter/com_validator.h"

namespace standin {

namespace {

// "38", "000038" and "-000038" all name message 000038.
std::string NormalizeNumber(const std::string& number) {
  std::string text = qv::Trim(number);
  if (!text.empty() && text[0] == '-') text.erase(0, 1);
  if (text.empty() || text.size() > 9) return text;
  for (char c : text) {
    if (c < '0' || c > '9') return text;
  }
  std::string digits = std::to_string(std::stol(text));
  return digits.size() < 6 ? std::string(6 - digits.size(), '0') + digits : digits;
}

int IntegerInfo(ErpDatabase& db, const std::string& name) {
  std::string value = qv::Trim(db.Info(name));
  int number = 0;
  if (!qv::TryStrToInt(value, number)) {
    throw qv::EOleError("The work center's " + name + " is not a number: \"" + value + "\"");
  }
  return number;
}

}  // namespace

std::shared_ptr<TWorkCenter> TWorkCenter::CreateDefault() {
  return std::make_shared<TWorkCenter>(ErpDatabase::OpenDefault(), std::make_shared<ChoiceHub>());
}

TWorkCenter::TWorkCenter(std::shared_ptr<ErpDatabase> database, std::shared_ptr<ChoiceHub> choices)
    : TAutoObject("TPellamWorkCenter"),
      database_(std::move(database)),
      choices_(std::move(choices)),
      language_(database_->Info("Language")) {
  if (language_.empty()) language_ = "zh-CN";

  RegisterMethod("GetMessage", 2, [this](Args& a) {
    return qv::Variant(MessageText(qv::VarToStr(a[0]), qv::VarToStr(a[1])));
  });
  RegisterMethod("VersionType", 0,
                 [this](Args&) { return qv::Variant(IntegerInfo(*database_, "VersionType")); });
  RegisterMethod("ProductID", 0,
                 [this](Args&) { return qv::Variant(IntegerInfo(*database_, "ProductID")); });

  RegisterMethod("CallHelp", 1, [](Args& a) {
    const qv::Variant& help = a[0];
    if (!help.IsArray() || qv::VarArrayDimCount(help) != 1 ||
        qv::VarArrayHighBound(help, 1) - qv::VarArrayLowBound(help, 1) < 1) {
      throw qv::EOleError("CallHelp needs [program, help number]");
    }
    CallRecorder::Named("help_calls")
        .Record({qv::Now(), kWorkCenterProgId, "CallHelp", qv::VarArrayOf({help}), qv::Variant()});
    return qv::Variant();
  });

  RegisterMethod("GetFileList", 1, [this](Args& a) {
    const qv::Variant& arg = a[0];
    qv::Variant name = arg.IsArray() ? arg[qv::VarArrayLowBound(arg, 1)] : arg;
    std::optional<PublishedFile> file =
        database_->FindPublishedFile(qv::LowerCase(qv::Trim(qv::VarToStr(name))));
    if (!file) return qv::Variant("");
    return qv::Variant("<Modify>" + file->modify + "</Modify><Path>" + file->path + "</Path>");
  });

  RegisterMethod("Com_Counter", 0, [this](Args&) {
    return qv::Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TComCounter>(database_)));
  });
  RegisterMethod("Com_Validator", 0, [this](Args&) {
    return qv::Variant(std::shared_ptr<qv::IDispatch>(std::make_shared<TComValidator>(database_)));
  });
  RegisterMethod("Com_F2Window", 0, [this](Args&) {
    return qv::Variant(
        std::shared_ptr<qv::IDispatch>(std::make_shared<TComF2Window>(database_, choices_)));
  });

  RegisterProperty(
      "Language", [this] { return qv::Variant(Language()); },
      [this](const qv::Variant& v) {
        std::string language = qv::Trim(qv::VarToStr(v));
        if (language.empty()) throw qv::EOleError("The language must not be empty");
        std::lock_guard lock(mutex_);
        language_ = language;
      });

  RegisterMethod("QueueLookupAnswer", 1, [this](Args& a) {
    const qv::Variant& answer = a[0];
    std::vector<int> rows;
    if (answer.IsArray()) {
      for (int i = qv::VarArrayLowBound(answer, 1); i <= qv::VarArrayHighBound(answer, 1); ++i) {
        rows.push_back(answer[i].AsInteger());
      }
    } else if (!answer.IsEmpty() && !answer.IsNull()) {
      rows.push_back(answer.AsInteger());
    }
    choices_->Queue().QueueRows(std::move(rows));
    return qv::Variant();
  });
  RegisterMethod("QueueDateAnswer", 1, [this](Args& a) {
    choices_->Queue().QueueDate(qv::Trim(qv::VarToStr(a[0])));
    return qv::Variant();
  });
  RegisterMethod("ClearAnswers", 0, [this](Args&) {
    choices_->Queue().Clear();
    return qv::Variant();
  });
  RegisterProperty(
      "ChoiceSource",
      [this] {
        std::lock_guard lock(mutex_);
        return choiceObject_;
      },
      [this](const qv::Variant& v) {
        if (!v.IsDispatch() && !v.IsEmpty() && !v.IsNull()) {
          throw qv::EOleError("ChoiceSource must be an automation object, or Empty for the queue");
        }
        {
          std::lock_guard lock(mutex_);
          choiceObject_ = v.IsDispatch() ? v : qv::Variant();
        }
        choices_->SetSource(v.IsDispatch() ? std::make_shared<DispatchChoices>(v) : nullptr);
      });
  RegisterMethod("LastLookup", 0, [this](Args&) {
    std::optional<LookupWindowRequest> last = choices_->LastLookup();
    if (!last) return qv::Variant();
    qv::Variant captions = qv::VarArrayCreate({0, static_cast<int>(last->captions.size()) - 1});
    for (size_t i = 0; i < last->captions.size(); ++i)
      captions[static_cast<int>(i)] = qv::Variant(last->captions[i]);
    std::vector<ResultRow> rows(last->rows.begin(), last->rows.end());
    return qv::VarArrayOf({qv::Variant(last->table), qv::Variant(last->key),
                           qv::Variant(last->title), captions, RowsToVariant(rows)});
  });
}

std::string TWorkCenter::Language() const {
  std::lock_guard lock(mutex_);
  return language_;
}

std::string TWorkCenter::MessageText(const std::string& type, const std::string& number) {
  std::string letter = qv::UpperCase(qv::Trim(type));
  std::string normalized = NormalizeNumber(number);
  bool english = qv::StartsText("en", Language());
  if (std::optional<std::string> text = database_->Message(letter, normalized, english))
    return *text;
  // The caller formats the text with its arguments: keep any "%" of the code literal.
  std::string code = qv::StringReplace(letter + ";" + normalized, "%", "%%", qv::rfReplaceAll);
  return (english ? "Undefined message " : "未定义的信息 ") + code;
}

}  // namespace standin

extern "C" __attribute__((visibility("default"))) int QvCreateWorkCenter(
    const char* progId, std::shared_ptr<qv::IDispatch>* out) {
  if (out == nullptr || progId == nullptr) return 1;
  if (!qv::SameText(progId, standin::kWorkCenterProgId)) return 2;
  // A failure to build or open the demo database travels as an exception: its text says why.
  *out = standin::TWorkCenter::CreateDefault();
  return 0;
}
