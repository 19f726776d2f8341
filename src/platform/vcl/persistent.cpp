#include "platform/vcl/persistent.h"

#include "platform/core/exception.h"

namespace qv {

QV_DEFINE_CLASS(TPersistent, TObject, r) {}

void TPersistent::Assign(const TPersistent* source) {
  if (source != nullptr)
    source->AssignTo(this);
  else
    throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* dest) const {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                      (dest ? dest->ClassName() : std::string("nil")));
}

std::string TPersistent::GetNamePath() const {
  return ClassName();
}

}  // namespace qv
