#pragma once
// Failures of automation calls. EOleError (platform/core/exception.h) is what
// callers catch; EOleException also names the class of the error behind it,
// which may have been raised in another process.

#include <string>

#include "platform/core/exception.h"

namespace qv {

class EOleException : public EOleError {
 public:
  EOleException(std::string message, std::string source)
      : EOleError(std::move(message)), source_(std::move(source)) {}
  std::string ClassName() const override { return "EOleException"; }
  // The class of the original failure, e.g. "EConvertError".
  const std::string& Source() const noexcept { return source_; }

 private:
  std::string source_;
};

// Inside a catch block: raises the exception being handled as an EOleError.
// EOleErrors pass unchanged; other failures become an EOleException with the
// same message and their class as source.
[[noreturn]] void RethrowAsOleError();

}  // namespace qv
