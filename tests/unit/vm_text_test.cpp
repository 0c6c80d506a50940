// Accelerator markers removed from captions before they are measured.
#include <gtest/gtest.h>

#include "widgets/VmText.h"

namespace tandrel {
namespace {

TEST(RemoveAccelMarkers, DropsTheMarkerBeforeALetter) {
  EXPECT_EQ(RemoveAccelMarkers("&Start"), "Start");
  EXPECT_EQ(RemoveAccelMarkers("Sta&rt"), "Start");
  EXPECT_EQ(RemoveAccelMarkers("设置(&S)"), "设置(S)");
}

TEST(RemoveAccelMarkers, DoubledAmpersandShowsOne) {
  EXPECT_EQ(RemoveAccelMarkers("A&&B"), "A&B");
  EXPECT_EQ(RemoveAccelMarkers("A&&"), "A&");
  EXPECT_EQ(RemoveAccelMarkers("&&&x"), "&x");
  EXPECT_EQ(RemoveAccelMarkers("&&&&"), "&&");
}

TEST(RemoveAccelMarkers, KeepsAnAmpersandThatEndsTheText) {
  EXPECT_EQ(RemoveAccelMarkers("A&"), "A&");
  EXPECT_EQ(RemoveAccelMarkers("&"), "&");
}

TEST(RemoveAccelMarkers, EmptyAndPlainTextsPassThrough) {
  EXPECT_EQ(RemoveAccelMarkers(""), "");
  EXPECT_EQ(RemoveAccelMarkers("关机"), "关机");
}

}  // namespace
}  // namespace tandrel
