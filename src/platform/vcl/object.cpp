#include "platform/vcl/object.h"

#include "platform/vcl/class_info.h"
#include "platform/vcl/method.h"

namespace qv {

const TClassInfo& TObject::StaticClassInfo() {
  static const TClassInfo& info = NewClassInfo("TObject", nullptr);
  return info;
}

const TClassInfo& TObject::ClassInfo() const {
  return StaticClassInfo();
}

std::string TObject::ClassName() const {
  return ClassInfo().Name();
}

bool TObject::InheritsFrom(std::string_view class_name) const {
  return ClassInfo().InheritsFrom(class_name);
}

bool TObject::InheritsFrom(const TClassInfo& class_info) const {
  return ClassInfo().InheritsFrom(class_info);
}

const TMethodCode* TObject::MethodAddress(std::string_view name) const {
  return ClassInfo().FindMethod(name);
}

std::string TObject::MethodName(const TMethodCode* code) const {
  return code ? ClassInfo().MethodName(*code) : std::string();
}

TMethod TObject::FindMethod(std::string_view name) const {
  TMethod method;
  method.Code = ClassInfo().FindMethodShared(name);
  if (method.Code) method.Data = const_cast<TObject*>(this);
  return method;
}

void TObject::Dispatch(TMessage& message) {
  DispatchFrom(&ClassInfo(), message);
}

void TObject::Inherited(TMessage& message) {
  if (message.HandlerClass == nullptr) {
    DefaultHandler(message);
    return;
  }
  DispatchFrom(message.HandlerClass->Parent(), message);
}

void TObject::DefaultHandler(TMessage&) {}

void TObject::DispatchFrom(const TClassInfo* start, TMessage& message) {
  const TClassInfo* saved = message.HandlerClass;
  for (const TClassInfo* c = start; c != nullptr; c = c->Parent()) {
    if (const TMessageHandler* handler = c->OwnMessageHandler(message.Msg)) {
      message.HandlerClass = c;
      (*handler)(*this, message);
      message.HandlerClass = saved;
      return;
    }
  }
  message.HandlerClass = nullptr;
  DefaultHandler(message);
  message.HandlerClass = saved;
}

}  // namespace qv
