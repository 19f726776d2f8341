#pragma once
// Objects whose state can be copied from another object (Assign) and that
// publish properties: the base of fonts, components and the other objects a
// property can hold.

#include <string>

#include "platform/vcl/class_info.h"

namespace qv {

class TPersistent : public TObject {
  QV_DECLARE_CLASS(TPersistent)

  // Copies the state of `source`. A class that knows how to copy from the
  // source's class overrides Assign; otherwise the source's AssignTo is
  // asked; when neither knows, EConvertError "Cannot assign a X to a Y".
  virtual void Assign(const TPersistent* source);
  virtual std::string GetNamePath() const;

 protected:
  virtual void AssignTo(TPersistent* dest) const;
  virtual TPersistent* GetOwner() const { return nullptr; }
};

}  // namespace qv
