#pragma once
// A page control that draws its own tabs: the active tab in the active
// caption colours and bold, the others in the inactive caption colours with
// their text two pixels lower. OnDrawTab, when set, draws the tabs instead.

#include "platform/vcl/events.h"
#include "platform/vcl/page_control.h"

namespace ravlet {

// Control, tab index (visible tabs only), the tab's rectangle, whether it is
// the active tab.
QV_EVENT_TYPE(TDrawTabEvent, qv::TObject*, int, const qv::TRect&, bool);

class TExtPageControl : public qv::TPageControl {
  QV_DECLARE_CLASS(TExtPageControl)

  explicit TExtPageControl(qv::TComponent* owner);

  TDrawTabEvent OnDrawTab;

 protected:
  void DrawTab(int tab_index, const qv::TRect& rect, bool active) override;
};

}  // namespace ravlet
