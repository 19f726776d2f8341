#pragma once
// Failures raised by the window model, with the class names the original
// framework used for them.

#include "platform/core/exception.h"

namespace qv {

// Component names, owners and streaming state.
QV_DECLARE_EXCEPTION(EComponentError, Exception);
// A published property that does not exist or cannot be accessed that way.
QV_DECLARE_EXCEPTION(EPropertyError, Exception);
// A property value of the wrong kind, or a text that names no value of it.
QV_DECLARE_EXCEPTION(EPropertyConvertError, Exception);
// An operation a control or form cannot do in its present state.
QV_DECLARE_EXCEPTION(EInvalidOperation, Exception);
// An object or method of the wrong class or signature.
QV_DECLARE_EXCEPTION(EInvalidCast, Exception);
// Input that cannot be delivered, or a modal run left without input.
QV_DECLARE_EXCEPTION(EInputError, Exception);
// Bitmaps, canvases and image lists.
QV_DECLARE_EXCEPTION(EInvalidGraphic, Exception);

}  // namespace qv
