#include "platform/vcl/animate.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#include "platform/system/paths.h"

namespace qv {

namespace {

struct TClipInfo {
  int Frames;
  int Width;
  int Height;
};

// The common clips of this model: frame counts and sizes.
TClipInfo CommonClip(TCommonAVI avi) {
  switch (avi) {
    case aviFindFolder:
    case aviFindFile:
    case aviFindComputer:
      return {29, 272, 60};
    case aviCopyFiles:
    case aviCopyFile:
      return {31, 272, 60};
    case aviRecycleFile:
    case aviEmptyRecycle:
    case aviDeleteFile:
      return {24, 272, 60};
    default:
      return {0, 0, 0};
  }
}

uint32_t ReadLE32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

[[noreturn]] void CannotOpen() {
  throw EInvalidOperation("Cannot open AVI");
}

// The main header of a RIFF AVI file: "RIFF" size "AVI ", then a list
// "hdrl" whose first chunk "avih" holds the total frames (at 16) and the
// frame width and height (at 32 and 36).
TClipInfo ReadAviHeader(const std::string& path) {
  std::ifstream file(ToNativePath(path), std::ios::binary);
  if (!file) CannotOpen();
  std::vector<unsigned char> head(4096);
  file.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(file.gcount()));
  if (head.size() < 12 || std::memcmp(head.data(), "RIFF", 4) != 0 ||
      std::memcmp(head.data() + 8, "AVI ", 4) != 0)
    CannotOpen();
  for (size_t pos = 12; pos + 8 <= head.size();) {
    const unsigned char* chunk = head.data() + pos;
    const uint32_t size = ReadLE32(chunk + 4);
    if (std::memcmp(chunk, "LIST", 4) == 0) {
      pos += 12;  // step into the list: its type follows the size
      continue;
    }
    if (std::memcmp(chunk, "avih", 4) == 0) {
      if (size < 40 || pos + 8 + 40 > head.size()) CannotOpen();
      const unsigned char* avih = chunk + 8;
      const uint32_t frames = ReadLE32(avih + 16);
      const uint32_t width = ReadLE32(avih + 32);
      const uint32_t height = ReadLE32(avih + 36);
      if (frames == 0 || frames > 0xFFFF || width == 0 || width > 0xFFFF || height == 0 ||
          height > 0xFFFF)
        CannotOpen();
      return {static_cast<int>(frames), static_cast<int>(width), static_cast<int>(height)};
    }
    pos += 8 + size + (size & 1);
  }
  CannotOpen();
}

}  // namespace

QV_DEFINE_CLASS(TAnimate, TWinControl, r) {
  r.Property("Align", &TAnimate::Align, &TAnimate::SetAlign);
  r.Property("AutoSize", &TAnimate::AutoSize, &TAnimate::SetAutoSize);
  r.Property("Center", &TAnimate::Center, &TAnimate::SetCenter);
  r.Property("Color", &TAnimate::Color, &TAnimate::SetColor, "TColor");
  r.Property("CommonAVI", &TAnimate::CommonAVI, &TAnimate::SetCommonAVI);
  r.Property("Enabled", &TAnimate::Enabled, &TAnimate::SetEnabled);
  r.Property("FileName", &TAnimate::FileName, &TAnimate::SetFileName);
  r.Property("ParentColor", &TAnimate::ParentColor, &TAnimate::SetParentColor);
  r.Property("ParentShowHint", &TAnimate::ParentShowHint, &TAnimate::SetParentShowHint);
  r.Property("Repetitions", &TAnimate::Repetitions, &TAnimate::SetRepetitions);
  r.Property("ShowHint", &TAnimate::ShowHint, &TAnimate::SetShowHint);
  r.Property("StartFrame", &TAnimate::StartFrame, &TAnimate::SetStartFrame);
  r.Property("StopFrame", &TAnimate::StopFrame, &TAnimate::SetStopFrame);
  r.Property("Timers", &TAnimate::Timers, &TAnimate::SetTimers);
  r.Property("Transparent", &TAnimate::Transparent, &TAnimate::SetTransparent);
  r.Property("Visible", &TAnimate::Visible, &TAnimate::SetVisible);
  // The clip comes before playing it.
  r.Property("Active", &TAnimate::Active, &TAnimate::SetActive);
  r.Event("OnClose", &TAnimate::OnClose);
  r.Event("OnOpen", &TAnimate::OnOpen);
  r.Event("OnStart", &TAnimate::OnStart);
  r.Event("OnStop", &TAnimate::OnStop);
}

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(ControlStyle() - TControlStyle{csSetCaption});
  SetBounds(0, 0, 100, 80);
  SetParentColor(true);
}

void TAnimate::OpenClip(int frames, int width, int height) {
  frame_count_ = frames;
  frame_width_ = width;
  frame_height_ = height;
  current_frame_ = 1;
  if (auto_size_) SetBounds(Left(), Top(), width, height);
  Invalidate();
  OnOpen(this);
}

void TAnimate::CloseClip() {
  if (!Open()) return;
  Stop();
  frame_count_ = frame_width_ = frame_height_ = 0;
  current_frame_ = 0;
  Invalidate();
  OnClose(this);
}

void TAnimate::SetCommonAVI(TCommonAVI avi) {
  if (avi == common_avi_ && (avi == aviNone || Open())) return;
  CloseClip();
  common_avi_ = avi;
  file_name_.clear();
  const TClipInfo clip = CommonClip(avi);
  if (clip.Frames > 0) OpenClip(clip.Frames, clip.Width, clip.Height);
}

void TAnimate::SetFileName(const std::string& file_name) {
  if (file_name == file_name_ && (file_name.empty() || Open())) return;
  CloseClip();
  common_avi_ = aviNone;
  file_name_ = file_name;
  if (file_name_.empty()) return;
  const TClipInfo clip = ReadAviHeader(file_name_);
  OpenClip(clip.Frames, clip.Width, clip.Height);
}

void TAnimate::SetActive(bool active) {
  if (active == active_) return;
  if (active)
    Play(start_frame_, stop_frame_, repetitions_);
  else
    Stop();
}

void TAnimate::SetStartFrame(int frame) {
  start_frame_ = std::max(frame, 1);
}

void TAnimate::SetStopFrame(int frame) {
  stop_frame_ = std::max(frame, 0);
}

void TAnimate::SetRepetitions(int count) {
  repetitions_ = std::max(count, 0);
}

void TAnimate::SetAutoSize(bool auto_size) {
  if (auto_size == auto_size_) return;
  auto_size_ = auto_size;
  if (auto_size_ && Open()) SetBounds(Left(), Top(), frame_width_, frame_height_);
}

void TAnimate::CheckFrame(int frame) const {
  if (frame < 1 || frame > frame_count_) throw EInvalidOperation("Invalid frame");
}

void TAnimate::Play(int from_frame, int to_frame, int count) {
  if (!Open()) CannotOpen();
  if (to_frame == 0) to_frame = frame_count_;
  CheckFrame(from_frame);
  CheckFrame(to_frame);
  if (to_frame < from_frame) throw EInvalidOperation("Invalid frame");
  const bool was_active = active_;
  play_from_ = from_frame;
  play_to_ = to_frame;
  play_count_ = std::max(count, 0);
  played_ = 0;
  current_frame_ = from_frame;
  active_ = true;
  Invalidate();
  if (!was_active) OnStart(this);
}

void TAnimate::Stop() {
  if (!active_) return;
  active_ = false;
  OnStop(this);
}

void TAnimate::Seek(int frame) {
  if (!Open()) CannotOpen();
  CheckFrame(frame);
  Stop();
  current_frame_ = frame;
  Invalidate();
}

void TAnimate::Reset() {
  if (!Open()) return;
  Stop();
  current_frame_ = std::min(start_frame_, frame_count_);
  Invalidate();
}

void TAnimate::NextFrame() {
  if (!active_) return;
  if (current_frame_ < play_to_) {
    ++current_frame_;
  } else if (play_count_ > 0 && ++played_ >= play_count_) {
    Stop();
    return;
  } else {
    current_frame_ = play_from_;
  }
  Invalidate();
}

}  // namespace qv
