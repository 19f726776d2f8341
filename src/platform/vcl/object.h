#pragma once
// The root of the window model's classes. Every class that takes part in
// run-time lookup (published properties, published operations, message
// handlers by number, class names) derives from TObject and declares its
// class information with QV_DECLARE_CLASS (see class_info.h).

#include <string>
#include <string_view>

#include "platform/vcl/messages.h"

namespace qv {

class TClassInfo;
class TMethodCode;
struct TMethod;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClassInfo();
  virtual const TClassInfo& ClassInfo() const;

  std::string ClassName() const;
  bool InheritsFrom(std::string_view class_name) const;
  bool InheritsFrom(const TClassInfo& class_info) const;

  // Published operations by name (without regard to case).
  const TMethodCode* MethodAddress(std::string_view name) const;
  // The published name of an operation of this object's class; empty when
  // the operation is not published.
  std::string MethodName(const TMethodCode* code) const;
  // This object bound to its published operation of that name; an empty
  // method when there is none.
  TMethod FindMethod(std::string_view name) const;

  // Runs the handler registered for the message number, the most derived
  // one first; messages without a handler go to DefaultHandler.
  void Dispatch(TMessage& message);
  // From inside a message handler: passes the message on to the handler an
  // ancestor class registered for it, or to DefaultHandler.
  void Inherited(TMessage& message);
  virtual void DefaultHandler(TMessage& message);

 private:
  void DispatchFrom(const TClassInfo* start, TMessage& message);
};

}  // namespace qv
