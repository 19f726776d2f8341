#pragma once
// The event types the windows use, with the enumerations they pass.

#include "platform/vcl/enum_type.h"
#include "platform/vcl/keys.h"
#include "platform/vcl/method.h"

namespace qv {

QV_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle);
QV_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize);

QV_EVENT_TYPE(TNotifyEvent, TObject*);
// Key: the virtual key code; handlers set it to 0 to consume the key.
QV_EVENT_TYPE(TKeyEvent, TObject*, Word&, TShiftState);
// Key: the character typed; handlers set it to 0 to consume it.
QV_EVENT_TYPE(TKeyPressEvent, TObject*, char32_t&);
QV_EVENT_TYPE(TMouseEvent, TObject*, TMouseButton, TShiftState, int, int);
QV_EVENT_TYPE(TMouseMoveEvent, TObject*, TShiftState, int, int);
QV_EVENT_TYPE(TCloseEvent, TObject*, TCloseAction&);
QV_EVENT_TYPE(TCloseQueryEvent, TObject*, bool&);
QV_EVENT_TYPE(TTabChangingEvent, TObject*, bool&);

}  // namespace qv
