#pragma once
// The event a language controller raises around applying one element.

#include "platform/vcl/component.h"
#include "platform/vcl/method.h"
#include "platform/xml/xml_document.h"

namespace ravlet {

// The component and the package element applied to it.
QV_EVENT_TYPE(TLoadComponentEvent, qv::TComponent*, qv::TXMLNode);

}  // namespace ravlet
