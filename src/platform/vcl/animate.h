#pragma once
// Animation controls: a silent clip of frames, either one of the system's
// common clips (CommonAVI) or an AVI file (FileName, a Windows path mapped to
// the file system). Opening a clip reads its frame count and frame size
// (AutoSize sizes the control to them); a file that is no readable AVI
// raises EInvalidOperation "Cannot open AVI" and leaves no clip open.
//
// Playing shows frames StartFrame .. StopFrame (0: the last), Repetitions
// times (0: until stopped). The model has no frame timer: NextFrame does
// what each tick of it would, so playback can be driven and watched.
// OnOpen, OnClose, OnStart and OnStop follow the clip's state.

#include <string>

#include "platform/vcl/win_control.h"

namespace qv {

QV_ENUM(TCommonAVI, aviNone, aviFindFolder, aviFindFile, aviFindComputer, aviCopyFiles, aviCopyFile,
        aviRecycleFile, aviEmptyRecycle, aviDeleteFile);

class TAnimate : public TWinControl {
  QV_DECLARE_CLASS(TAnimate)

  explicit TAnimate(TComponent* owner);

  TCommonAVI CommonAVI() const { return common_avi_; }
  // Opens that clip (aviNone closes); the file name is cleared.
  void SetCommonAVI(TCommonAVI avi);
  const std::string& FileName() const { return file_name_; }
  // Opens the file (an empty name closes); CommonAVI becomes aviNone.
  void SetFileName(const std::string& file_name);
  bool Open() const { return frame_count_ > 0; }
  int FrameCount() const { return frame_count_; }
  int FrameWidth() const { return frame_width_; }
  int FrameHeight() const { return frame_height_; }

  bool Active() const { return active_; }
  // Playing needs an open clip: EInvalidOperation "Cannot open AVI".
  void SetActive(bool active);
  int StartFrame() const { return start_frame_; }
  void SetStartFrame(int frame);
  int StopFrame() const { return stop_frame_; }
  void SetStopFrame(int frame);
  int Repetitions() const { return repetitions_; }
  void SetRepetitions(int count);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  bool Center() const { return center_; }
  void SetCenter(bool center) { center_ = center; }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  bool Timers() const { return timers_; }
  void SetTimers(bool timers) { timers_ = timers; }

  // Frames count from 1. Frames outside the clip raise EInvalidOperation
  // "Invalid frame".
  void Play(int from_frame, int to_frame, int count);
  void Stop();
  // Stops on that frame.
  void Seek(int frame);
  // Stops on StartFrame.
  void Reset();
  // The frame shown now (0 with no clip open).
  int CurrentFrame() const { return current_frame_; }
  // One tick of the frame timer while playing.
  void NextFrame();

  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;
  TNotifyEvent OnStart;
  TNotifyEvent OnStop;

 private:
  void OpenClip(int frames, int width, int height);
  void CloseClip();
  void CheckFrame(int frame) const;

  TCommonAVI common_avi_ = aviNone;
  std::string file_name_;
  int frame_count_ = 0;
  int frame_width_ = 0;
  int frame_height_ = 0;
  bool active_ = false;
  int start_frame_ = 1;
  int stop_frame_ = 0;
  int repetitions_ = 0;
  bool auto_size_ = true;
  bool center_ = true;
  bool transparent_ = true;
  bool timers_ = false;
  int current_frame_ = 0;
  int play_from_ = 0;
  int play_to_ = 0;
  int play_count_ = 0;
  int played_ = 0;
};

}  // namespace qv
