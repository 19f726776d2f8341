#pragma once
// Exception classes of the platform. Every failure the platform raises derives
// from Exception, which carries a message and the class name the original
// framework used, so that logs can name the kind of failure.

#include <exception>
#include <string>
#include <vector>

namespace qv {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  virtual std::string ClassName() const { return "Exception"; }
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define QV_DECLARE_EXCEPTION(Name, Base)                        \
  class Name : public Base {                                    \
   public:                                                      \
    using Base::Base;                                           \
    std::string ClassName() const override { return #Name; }    \
  }

QV_DECLARE_EXCEPTION(EConvertError, Exception);
QV_DECLARE_EXCEPTION(EVariantError, Exception);
QV_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
QV_DECLARE_EXCEPTION(EVariantBadIndexError, EVariantError);
QV_DECLARE_EXCEPTION(EVariantArrayBoundsError, EVariantError);
QV_DECLARE_EXCEPTION(EVariantInvalidOpError, EVariantError);
QV_DECLARE_EXCEPTION(EListError, Exception);
QV_DECLARE_EXCEPTION(EFOpenError, Exception);

// An operating-system error with its numeric code.
class EWin32Error : public Exception {
 public:
  EWin32Error(unsigned code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
  std::string ClassName() const override { return "EWin32Error"; }
  unsigned ErrorCode;
};

// An input/output error with its numeric code.
class EInOutError : public Exception {
 public:
  EInOutError(int code, std::string message) : Exception(std::move(message)), ErrorCode(code) {}
  std::string ClassName() const override { return "EInOutError"; }
  int ErrorCode;
};

// A database-engine error carrying the list of engine errors behind it.
class EDBEngineError : public Exception {
 public:
  struct DBError {
    int ErrorCode;
    std::string Message;
  };
  EDBEngineError(std::string message, std::vector<DBError> errors)
      : Exception(std::move(message)), Errors(std::move(errors)) {}
  std::string ClassName() const override { return "EDBEngineError"; }
  std::vector<DBError> Errors;
};

// Variant failures beyond the basic ones, and automation failures.
QV_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError);
QV_DECLARE_EXCEPTION(EVariantArrayCreateError, EVariantError);
QV_DECLARE_EXCEPTION(EOleError, Exception);

}  // namespace qv
