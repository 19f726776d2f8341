#include "platform/vcl/animate.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/vcl/type_info.h"
#include "platform/vcl_controls/controls_fixture.h"

namespace qv::test {
namespace {

std::string LE32(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
          static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
}

// The start of an AVI file: RIFF, the header list and its main header.
std::string AviBytes(uint32_t frames, uint32_t width, uint32_t height, size_t avih_size = 56) {
  std::string avih(avih_size, '\0');
  auto put = [&](size_t at, uint32_t v) {
    if (at + 4 <= avih.size()) avih.replace(at, 4, LE32(v));
  };
  put(0, 66666);
  put(16, frames);
  put(24, 1);
  put(32, width);
  put(36, height);
  const std::string chunk = "avih" + LE32(static_cast<uint32_t>(avih_size)) + avih;
  const std::string list = "LIST" + LE32(static_cast<uint32_t>(4 + chunk.size())) + "hdrl" + chunk;
  return "RIFF" + LE32(static_cast<uint32_t>(4 + list.size())) + "AVI " + list;
}

class AnimateTest : public ControlsTest {
 protected:
  AnimateTest() {
    folder =
        std::filesystem::temp_directory_path() / ("animate_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    anim = Place<TAnimate>("aniWait");
    anim->OnOpen = Note("open");
    anim->OnClose = Note("close");
    anim->OnStart = Note("start");
    anim->OnStop = Note("stop");
  }
  ~AnimateTest() override { std::filesystem::remove_all(folder); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }
  std::filesystem::path folder;
  TAnimate* anim;
};

TEST_F(AnimateTest, PlayingShowsTheFramesAsOftenAsAsked) {
  anim->SetCommonAVI(aviCopyFiles);
  EXPECT_EQ(anim->FrameCount(), 31);
  EXPECT_EQ(anim->BoundsRect(), Bounds(0, 0, 272, 60));  // AutoSize
  anim->SetStartFrame(2);
  anim->SetStopFrame(4);
  anim->SetRepetitions(2);
  anim->SetActive(true);
  std::vector<int> shown{anim->CurrentFrame()};
  while (anim->Active()) {
    anim->NextFrame();
    shown.push_back(anim->CurrentFrame());
  }
  EXPECT_EQ(shown, (std::vector<int>{2, 3, 4, 2, 3, 4, 4}));
  EXPECT_EQ(journal, (Journal{"open", "start", "stop"}));

  journal.clear();
  anim->SetRepetitions(0);  // until stopped
  anim->SetActive(true);
  for (int i = 0; i < 10; ++i) anim->NextFrame();
  EXPECT_TRUE(anim->Active());
  anim->SetCommonAVI(aviFindFile);  // another clip: stop, close, open
  EXPECT_FALSE(anim->Active());
  EXPECT_EQ(journal, (Journal{"start", "stop", "close", "open"}));
}

TEST_F(AnimateTest, FramesOutsideTheClipAndMissingClipsAreRefused) {
  EXPECT_THROW(anim->SetActive(true), EInvalidOperation);
  EXPECT_FALSE(anim->Active());
  anim->SetCommonAVI(aviDeleteFile);
  EXPECT_THROW(anim->Play(0, 3, 1), EInvalidOperation);
  EXPECT_THROW(anim->Play(3, 25, 1), EInvalidOperation);
  EXPECT_THROW(anim->Play(5, 4, 1), EInvalidOperation);
  EXPECT_THROW(anim->Seek(25), EInvalidOperation);
  anim->Play(3, 0, 1);  // 0: to the last frame
  anim->Seek(7);
  EXPECT_FALSE(anim->Active());
  EXPECT_EQ(anim->CurrentFrame(), 7);
  anim->SetStartFrame(5);
  anim->Reset();
  EXPECT_EQ(anim->CurrentFrame(), 5);
  anim->SetCommonAVI(aviNone);
  EXPECT_FALSE(anim->Open());
  EXPECT_EQ(anim->CurrentFrame(), 0);
}

TEST_F(AnimateTest, FilesGiveTheirFrameCountAndSize) {
  anim->SetCommonAVI(aviFindFolder);
  anim->SetFileName(Write("clip.avi", AviBytes(12, 48, 50)));
  EXPECT_EQ(anim->CommonAVI(), aviNone);
  EXPECT_EQ(anim->FrameCount(), 12);
  EXPECT_EQ(anim->FrameWidth(), 48);
  EXPECT_EQ(anim->FrameHeight(), 50);

  struct Bad {
    const char* name;
    std::string bytes;
  };
  const Bad bad[] = {
      {"text.avi", "not a clip at all"},       {"wave.avi", "RIFF" + LE32(4) + "WAVE"},
      {"short.avi", AviBytes(12, 48, 50, 20)}, {"empty.avi", AviBytes(0, 48, 50)},
      {"huge.avi", AviBytes(12, 100000, 50)},  {"cut.avi", AviBytes(12, 48, 50).substr(0, 40)},
  };
  for (const Bad& b : bad) {
    SCOPED_TRACE(b.name);
    EXPECT_THROW(anim->SetFileName(Write(b.name, b.bytes)), EInvalidOperation);
    EXPECT_FALSE(anim->Open());
  }
  EXPECT_THROW(anim->SetFileName((folder / "missing.avi").string()), EInvalidOperation);
  anim->SetFileName("");
  EXPECT_EQ(GetPropInfo(anim, "CommonAVI")->TypeName(), "TCommonAVI");
  SetPropValue(anim, "CommonAVI", "aviEmptyRecycle");
  SetPropValue(anim, "Active", "True");
  EXPECT_TRUE(anim->Active());
}

}  // namespace
}  // namespace qv::test
