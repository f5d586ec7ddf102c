// The sound objects on a real window under Wine, and the pairing of the thread's COM use.
#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <cstdlib>

#include "sound/sound_win32.h"
#include "windows_test_support.h"

namespace {

// Whether COM is initialised on this thread, without changing that: CoInitialize says
// S_FALSE when it already was, and is undone either way.
bool ComInitialisedOnThisThread() {
  const HRESULT result = CoInitialize(nullptr);
  if (SUCCEEDED(result)) CoUninitialize();
  return result == S_FALSE;
}

class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = windows_test::MakeWindow(WS_OVERLAPPEDWINDOW);
    ASSERT_NE(nullptr, window);
    ASSERT_FALSE(ComInitialisedOnThisThread());
  }
  void TearDown() override {
    ReleaseSound();
    DestroyWindow(window);
  }
  HWND window = nullptr;
};

}  // namespace

// Set where the test run gives Wine a sound card (an ALSA null device): there the whole set-up
// must succeed. Elsewhere it depends on the machine, and only the consistency is checked.
bool SoundCardPromised() {
  const char* promised = std::getenv("VORTA_NULL_SOUND_CARD");
  return promised != nullptr && promised[0] == '1';
}

TEST_F(SoundTest, CreateTwiceThenReleaseTwiceLeavesNothingAndBalancesCom) {
  const bool created = CreateSound(window);
  EXPECT_TRUE(created || !SoundCardPromised());
  EXPECT_EQ(created, HasDirectSound() && HasMusicPerformance() && HasMusicLoader());
  EXPECT_EQ(created, CreateSound(window)) << "the second creation replaces the first objects";
  // COM is begun only once DirectSound exists; and it is then held until the release.
  EXPECT_EQ(HasDirectSound(), HoldsCom());
  EXPECT_EQ(HoldsCom(), ComInitialisedOnThisThread());

  for (int release = 0; release < 2; ++release) {
    ReleaseSound();
    EXPECT_FALSE(HasDirectSound() || HasMusicPerformance() || HasMusicLoader());
    EXPECT_FALSE(HoldsCom());
    EXPECT_FALSE(ComInitialisedOnThisThread());
  }
}

TEST_F(SoundTest, SecondReleaseKeepsSomeoneElsesComAlive) {
  // The thread already uses COM (as a Windows shell extension or a test harness might).
  ASSERT_EQ(S_OK, CoInitialize(nullptr));
  CreateSound(window);
  ReleaseSound();
  EXPECT_TRUE(ComInitialisedOnThisThread());
  // The normal exit's second release must not end the COM use it never began.
  ReleaseSound();
  EXPECT_TRUE(ComInitialisedOnThisThread());
  CoUninitialize();
  EXPECT_FALSE(ComInitialisedOnThisThread());
}
