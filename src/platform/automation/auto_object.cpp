#include "platform/automation/auto_object.h"

#include <utility>

namespace qv {

namespace {

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string CountText(std::size_t minArgs, std::size_t maxArgs) {
  if (minArgs == maxArgs) return std::to_string(minArgs);
  if (maxArgs == TAutoObject::kAnyCount) return "at least " + std::to_string(minArgs);
  return std::to_string(minArgs) + " to " + std::to_string(maxArgs);
}

}  // namespace

const Variant& TAutoObject::Args::operator[](std::size_t i) const {
  CheckIndex(i);
  return args_[i].Value();
}

bool TAutoObject::Args::IsByRef(std::size_t i) const {
  CheckIndex(i);
  return args_[i].IsByRef();
}

void TAutoObject::Args::SetRef(std::size_t i, Variant value) const {
  CheckIndex(i);
  if (!args_[i].IsByRef()) {
    throw EOleError("argument " + std::to_string(i + 1) + " of " + std::string(operation_) +
                    " must be passed by reference");
  }
  args_[i].Value() = std::move(value);
}

void TAutoObject::Args::CheckIndex(std::size_t i) const {
  if (i >= args_.size()) {
    throw EOleError("argument " + std::to_string(i + 1) + " of " + std::string(operation_) +
                    " is missing (" + std::to_string(args_.size()) + " given)");
  }
}

TAutoObject::TAutoObject(std::string className) : className_(std::move(className)) {}

void TAutoObject::RegisterMethod(std::string name, std::size_t argCount, Method method) {
  RegisterMethod(std::move(name), argCount, argCount, std::move(method));
}

void TAutoObject::RegisterMethod(std::string name, std::size_t minArgs, std::size_t maxArgs,
                                 Method method) {
  std::string key = LowerAscii(name);
  methods_[key] = MethodEntry{std::move(name), minArgs, maxArgs, std::move(method)};
}

void TAutoObject::RegisterMethod(std::string name, Method method) {
  RegisterMethod(std::move(name), 0, kAnyCount, std::move(method));
}

void TAutoObject::RegisterProperty(std::string name, Getter getter, Setter setter) {
  std::string key = LowerAscii(name);
  properties_[key] = PropertyEntry{std::move(name), std::move(getter), std::move(setter)};
}

bool TAutoObject::HasMethod(std::string_view name) const {
  return methods_.contains(LowerAscii(name));
}

bool TAutoObject::HasProperty(std::string_view name) const {
  return properties_.contains(LowerAscii(name));
}

Variant TAutoObject::Invoke(std::string_view name, DispatchKind kind, std::span<DispatchArg> args) {
  const std::string key = LowerAscii(name);
  auto method = methods_.find(key);
  auto property = properties_.find(key);
  switch (kind) {
    case DispatchKind::Method:
      if (method != methods_.end()) return CallMethod(method->second, args);
      if (property != properties_.end() && args.empty()) return GetProperty(property->second, args);
      break;
    case DispatchKind::PropertyGet:
      if (property != properties_.end()) return GetProperty(property->second, args);
      if (method != methods_.end()) return CallMethod(method->second, args);
      break;
    case DispatchKind::PropertyPut:
      if (property != properties_.end()) {
        PutProperty(property->second, args);
        return Variant();
      }
      if (method != methods_.end()) {
        throw EOleError(method->second.name + " of " + className_ +
                        " is a method; a value cannot be assigned to it");
      }
      break;
  }
  if (property != properties_.end()) {
    throw EOleError("property " + property->second.name + " of " + className_ +
                    " takes no arguments");
  }
  UnknownName(name);
}

Variant TAutoObject::CallMethod(const MethodEntry& entry, std::span<DispatchArg> args) {
  if (args.size() < entry.minArgs || args.size() > entry.maxArgs) {
    throw EOleError(entry.name + " of " + className_ + " takes " +
                    CountText(entry.minArgs, entry.maxArgs) + " argument(s), " +
                    std::to_string(args.size()) + " given");
  }
  Args view(entry.name, args);
  try {
    return entry.method(view);
  } catch (...) {
    RethrowAsOleError();
  }
}

Variant TAutoObject::GetProperty(const PropertyEntry& entry, std::span<DispatchArg> args) {
  if (!args.empty()) {
    throw EOleError("property " + entry.name + " of " + className_ + " takes no arguments");
  }
  if (!entry.getter) {
    throw EOleError("property " + entry.name + " of " + className_ + " is write-only");
  }
  try {
    return entry.getter();
  } catch (...) {
    RethrowAsOleError();
  }
}

void TAutoObject::PutProperty(const PropertyEntry& entry, std::span<DispatchArg> args) {
  if (args.size() != 1) {
    throw EOleError("assigning property " + entry.name + " of " + className_ +
                    " takes one value, " + std::to_string(args.size()) + " given");
  }
  if (!entry.setter) {
    throw EOleError("property " + entry.name + " of " + className_ + " is read-only");
  }
  try {
    entry.setter(args.back().Value());
  } catch (...) {
    RethrowAsOleError();
  }
}

void TAutoObject::UnknownName(std::string_view name) const {
  throw EOleError("Unknown name \"" + std::string(name) + "\" (object " + className_ + ")");
}

}  // namespace qv
