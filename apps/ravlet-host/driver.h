#pragma once
// The driver: JSON lines on an input stream, one command per line, one JSON
// reply per line on an output stream (docs/driver.md has the commands). It
// is the window model's input source, so the message loop and every modal
// run take the person's actions from it, and the work center's lookup
// windows ask it for their answers.
//
// A command that the model takes as input (a click, a key, an answer to a
// lookup window) is answered once the model waits for input again. A
// command that runs into a modal window or a lookup is answered at that
// moment with "running"; its own result follows in the "finished" list of a
// later reply.

#include <deque>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "host_session.h"
#include "json.h"
#include "platform/variant/variant.h"
#include "platform/vcl/component.h"
#include "platform/vcl/input_source.h"

namespace ravlet::host {

class TDriver : public qv::TInputSource {
 public:
  // `start_params` are what "open" passes when a command names none.
  TDriver(std::istream& in, std::ostream& out, THostSession& session, qv::Variant start_params);

  bool Next(qv::TInputEvent& event) override;

  // Runs the host's start-up (Open with the start parameters, then showing
  // the window, unless `open` is false) and answers it with the id "start".
  void RunStartup(bool open);
  // True once the input ended or "quit" was read.
  bool Finished() const { return finished_; }
  // Writes {"outcome":{ResultCode, ResultData}} as the last line.
  void WriteOutcome();

  void EventRaised(const THostEvent& event);
  void ExceptionRaised(const std::exception& error);

  // The work center's lookup window and date picker: answered from the
  // answers queued with "choose" / "choose_date", else by the commands read
  // while the lookup waits. Empty (or "") when closed without a choice.
  qv::Variant ChooseRows(const qv::Variant& asked);
  qv::Variant ChooseDate(const qv::Variant& asked);

 private:
  enum class TOutcomeKind { Reply, Input, Answer, Quit };
  struct TOutcome {
    TOutcomeKind Kind = TOutcomeKind::Reply;
    JsonValue Reply = JsonValue::Object();
    qv::TInputEvent Event;
    qv::Variant Answer;
  };
  struct TRunning {
    JsonValue Id;
    std::string Command;
    bool Answered = false;
  };
  struct TLookup {
    bool Rows = true;
    qv::Variant Asked;
  };

  // Reads and runs commands until one gives the model an input event (in
  // the message loop) or an answer (while a lookup waits). False when the
  // input ended or "quit" was read.
  bool Serve(qv::TInputEvent* event, qv::Variant* answer);
  TOutcome Execute(const std::string& command, const JsonValue& args, const JsonValue& id);
  // Runs a command that completes here; answers it unless a modal window or
  // lookup made it answer earlier, and then files its result as finished.
  void RunToCompletion(const std::string& command, const JsonValue& args, const JsonValue& id);
  JsonValue RunController(const std::string& command, const JsonValue& args);
  // `inside`: whether the module was busy when the command came.
  JsonValue RunQuery(const std::string& command, const JsonValue& args, bool inside);
  TOutcome RunInput(const std::string& command, const JsonValue& args);
  TOutcome RunLookupAnswer(const std::string& command, const JsonValue& args);

  // Whether the host's thread is inside the module now (a modal run, a
  // lookup or a controller call), when the controller must not be called.
  bool InsideModule() const;
  void WriteReply(JsonValue reply);
  void FlushWaiting();
  JsonValue WaitingState() const;
  void Settle();
  qv::TComponent* ModuleForm() const;
  // The events up to and including the first one of that code (all of them
  // without a code); null when there is no such event (or none at all).
  JsonValue TakeEvents(std::optional<int32_t> until);
  JsonValue LookupSummary() const;

  std::istream& in_;
  std::ostream& out_;
  THostSession& session_;
  qv::Variant start_params_;
  bool finished_ = false;
  std::optional<JsonValue> pending_;
  std::vector<TRunning> running_;
  JsonValue finished_commands_ = JsonValue::Array();
  JsonValue exceptions_ = JsonValue::Array();
  std::deque<THostEvent> events_;
  std::optional<TLookup> lookup_;
  std::deque<qv::Variant> queued_rows_;
  std::deque<std::string> queued_dates_;
};

}  // namespace ravlet::host
