// A still screen is drawn again only when what its picture is made of changes, or when the
// screen may show something else.
#include <gtest/gtest.h>

#include <cstdint>

#include "display/shown_picture.h"

TEST(ShownPicture, OnlyTheSameInputsAfterTheyWereShownCountAsOnTheScreen) {
  ShownPicture shown;
  const int32_t title[3] = {6, 60, 230};
  EXPECT_TRUE(PictureIsNew(shown, title, sizeof title)) << "nothing is known at first";

  RememberShownPicture(shown, title, sizeof title);
  EXPECT_FALSE(PictureIsNew(shown, title, sizeof title));
  const int32_t cursorMoved[3] = {6, 60, 262};
  EXPECT_TRUE(PictureIsNew(shown, cursorMoved, sizeof cursorMoved));
  EXPECT_TRUE(PictureIsNew(shown, title, sizeof title - sizeof title[0])) << "fewer inputs";

  ForgetShownPicture(shown);
  EXPECT_TRUE(PictureIsNew(shown, title, sizeof title));

  // Inputs too large to keep are never taken for the picture on the screen, and what was on
  // it before is gone.
  RememberShownPicture(shown, title, sizeof title);
  uint8_t large[sizeof shown.inputs + 1] = {};
  RememberShownPicture(shown, large, sizeof large);
  EXPECT_TRUE(PictureIsNew(shown, large, sizeof large));
  EXPECT_TRUE(PictureIsNew(shown, title, sizeof title));
}
