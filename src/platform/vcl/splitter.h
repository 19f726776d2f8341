#pragma once
// Splitters: a bar between aligned controls that the person drags to resize
// the control it touches on its aligned side (for a left-aligned splitter
// the left-aligned control ending at its left edge). The new size stays
// between MinSize and what leaves MinSize for the rest of the parent; with
// AutoSnap a size down to MinSize snaps the control to 0. OnCanResize may
// change or refuse a size; OnMoved follows the resize when the button is
// released (with rsUpdate the control follows the mouse as it moves).

#include "platform/vcl/graphic_control.h"

namespace qv {

QV_ENUM(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern);

// NewSize may be changed; Accept set to false refuses the size.
QV_EVENT_TYPE(TCanResizeEvent, TObject*, int&, bool&);

class TSplitter : public TGraphicControl {
  QV_DECLARE_CLASS(TSplitter)

  explicit TSplitter(TComponent* owner);

  int MinSize() const { return min_size_; }
  void SetMinSize(int size);
  bool AutoSnap() const { return auto_snap_; }
  void SetAutoSnap(bool snap) { auto_snap_ = snap; }
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool beveled);
  TResizeStyle ResizeStyle() const { return resize_style_; }
  void SetResizeStyle(TResizeStyle style) { resize_style_ = style; }

  // The control the splitter resizes now; null when none touches it.
  TControl* ResizeControl() const;

  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  virtual bool CanResize(int& new_size);
  void Paint() override;

 private:
  bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
  int SizeOf(const TControl* control) const;
  // The size the drag to (x, y) gives, or -1 when it is refused.
  int DraggedSize(int x, int y);
  void Apply(int size);

  int min_size_ = 30;
  bool auto_snap_ = true;
  bool beveled_ = false;
  TResizeStyle resize_style_ = rsPattern;
  TControl* control_ = nullptr;
  TPoint down_;
  int start_size_ = 0;
  int max_size_ = 0;
  int new_size_ = -1;
};

}  // namespace qv
