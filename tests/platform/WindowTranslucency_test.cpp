// WindowTranslucency on real top-level windows: the layered style and the
// layering attributes are read back from the window after every change.
#include "platform/WindowTranslucency.h"

#include <gtest/gtest.h>

#include "platform/WindowsCheck.h"
#include "support/WindowTesting.h"

namespace vantrel {
namespace {

using test::TestWindow;

struct Layering {
  bool layered = false;  // WS_EX_LAYERED
  bool read = false;     // GetLayeredWindowAttributes succeeded
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
};

Layering ReadLayering(HWND window) {
  Layering l;
  l.layered = (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  l.read = GetLayeredWindowAttributes(window, &l.key, &l.alpha, &l.flags) != 0;
  return l;
}

// Reports the caller's line when the window is not layered with that alpha.
#define EXPECT_ALPHA_LAYERED(window, value)             \
  do {                                                  \
    const Layering l_ = ReadLayering(window);           \
    EXPECT_TRUE(l_.layered);                            \
    ASSERT_TRUE(l_.read);                               \
    EXPECT_EQ(l_.flags, static_cast<DWORD>(LWA_ALPHA)); \
    EXPECT_EQ(l_.alpha, (value));                       \
  } while (0)

#define EXPECT_KEY_LAYERED(window, color)                  \
  do {                                                     \
    const Layering l_ = ReadLayering(window);              \
    EXPECT_TRUE(l_.layered);                               \
    ASSERT_TRUE(l_.read);                                  \
    EXPECT_EQ(l_.flags, static_cast<DWORD>(LWA_COLORKEY)); \
    EXPECT_EQ(l_.key, (color));                            \
  } while (0)

constexpr DWORD kLayeredMajor = 5;
constexpr DWORD kOldMajor = 4;

class WindowTranslucencyTest : public ::testing::Test {
 protected:
  TestWindow window_{RECT{40, 40, 440, 340}};
};

TEST(TransparencyAlpha, TheTenStepsRoundHalvesUp) {
  const int expected[] = {255, 230, 204, 179, 153, 128, 102, 77, 51, 26};
  for (int step = 0; step < 10; ++step) {
    EXPECT_EQ(TransparencyAlpha(step * 10), expected[step]) << step * 10 << "%";
  }
  EXPECT_EQ(TransparencyAlpha(100), 0);
}

TEST(WindowTranslucencyState, StartsOpaqueWithNoWindow) {
  const WindowTranslucency translucency(kLayeredMajor);
  EXPECT_EQ(translucency.Window(), nullptr);
  EXPECT_EQ(translucency.Alpha(), 255);
  EXPECT_EQ(translucency.ColorKey(), 0x8000000Fu);
}

TEST_F(WindowTranslucencyTest, TheDefaultReadsThePlatformLayeredFromMajorVersionFive) {
  WindowTranslucency translucency;
  translucency.Attach(window_.Handle());
  EXPECT_EQ(ReadLayering(window_.Handle()).layered, ReadVersionRecord().dwMajorVersion > 4);
}

TEST_F(WindowTranslucencyTest, BindingMakesTheWindowLayeredAndOpaque) {
  ASSERT_FALSE(ReadLayering(window_.Handle()).layered);
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  EXPECT_EQ(translucency.Window(), window_.Handle());
  EXPECT_ALPHA_LAYERED(window_.Handle(), 255);
}

TEST_F(WindowTranslucencyTest, AlphaInAlphaModeGoesStraightToTheWindow) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetAlpha(TransparencyAlpha(50));
  EXPECT_EQ(translucency.Alpha(), 128);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 128);
  translucency.SetAlpha(TransparencyAlpha(90));
  EXPECT_ALPHA_LAYERED(window_.Handle(), 26);
  translucency.SetAlpha(TransparencyAlpha(0));
  EXPECT_ALPHA_LAYERED(window_.Handle(), 255);
}

TEST(WindowTranslucencyState, AlphaThatTheWindowRefusesIsNotKept) {
  WindowTranslucency translucency(kLayeredMajor);  // no window bound: the platform call fails
  translucency.SetAlpha(100);
  EXPECT_EQ(translucency.Alpha(), 255);
}

TEST_F(WindowTranslucencyTest, ColorKeyInAlphaModeSwitchesToColorKeyMode) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetColorKey(RGB(1, 2, 3));
  EXPECT_EQ(translucency.ColorKey(), RGB(1, 2, 3));
  EXPECT_KEY_LAYERED(window_.Handle(), RGB(1, 2, 3));
}

TEST_F(WindowTranslucencyTest, ColorKeyModeResolvesSystemColorsButKeepsWhatWasGiven) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetMode(TranslucencyMode::ColorKey);
  EXPECT_KEY_LAYERED(window_.Handle(), GetSysColor(COLOR_BTNFACE));
  translucency.SetColorKey(0x80000000u | COLOR_WINDOW);
  EXPECT_EQ(translucency.ColorKey(), 0x80000000u | COLOR_WINDOW);
  EXPECT_KEY_LAYERED(window_.Handle(), GetSysColor(COLOR_WINDOW));
}

TEST_F(WindowTranslucencyTest, AlphaInColorKeyModeSwitchesToAlphaMode) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetMode(TranslucencyMode::ColorKey);
  translucency.SetAlpha(77);
  EXPECT_EQ(translucency.Alpha(), 77);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 77);
}

TEST_F(WindowTranslucencyTest, ModeOffRemovesLayeringAndAlphaBringsItBack) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetAlpha(153);
  translucency.SetMode(TranslucencyMode::Off);
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
  // Alpha mode again applies the stored alpha.
  translucency.SetMode(TranslucencyMode::Alpha);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 153);
  translucency.SetMode(TranslucencyMode::Off);
  translucency.SetAlpha(51);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 51);
}

TEST_F(WindowTranslucencyTest, UnknownModesChangeNothing) {
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetAlpha(204);
  // A mode read from elsewhere may hold any number.
  for (int32_t mode : {3, -1}) {
    translucency.SetMode(static_cast<TranslucencyMode>(mode));
    EXPECT_ALPHA_LAYERED(window_.Handle(), 204);
  }
}

TEST_F(WindowTranslucencyTest, RebindingMovesTheLayeringToTheNewWindow) {
  TestWindow second(RECT{100, 100, 300, 300});
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(window_.Handle());
  translucency.SetAlpha(102);
  translucency.Attach(second.Handle());
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
  EXPECT_EQ(translucency.Alpha(), 255);  // a new window always starts opaque
  EXPECT_ALPHA_LAYERED(second.Handle(), 255);
}

TEST_F(WindowTranslucencyTest, DestructionRemovesLayering) {
  {
    WindowTranslucency translucency(kLayeredMajor);
    translucency.Attach(window_.Handle());
    translucency.SetAlpha(26);
  }
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
}

TEST(WindowTranslucencyWindow, WorksOnAWindowWithoutOtherExtendedStyles) {
  // The previous extended style is 0 here, which must not pass for a failed
  // write: a layered window left without attributes is not drawn at all.
  TestWindow popup(RECT{10, 10, 210, 110}, WS_POPUP | WS_VISIBLE, 0);
  ASSERT_EQ(popup.ExStyle(), 0);
  WindowTranslucency translucency(kLayeredMajor);
  translucency.Attach(popup.Handle());
  EXPECT_ALPHA_LAYERED(popup.Handle(), 255);
  translucency.SetMode(TranslucencyMode::Off);
  EXPECT_EQ(popup.ExStyle(), 0);
  translucency.SetMode(TranslucencyMode::Alpha);
  EXPECT_ALPHA_LAYERED(popup.Handle(), 255);
}

TEST_F(WindowTranslucencyTest, UnsupportedSystemsLeaveTheWindowAlone) {
  WindowTranslucency translucency(kOldMajor);
  translucency.Attach(window_.Handle());
  EXPECT_EQ(translucency.Window(), nullptr);
  translucency.SetAlpha(128);
  EXPECT_EQ(translucency.Alpha(), 255);
  translucency.SetColorKey(RGB(9, 9, 9));
  EXPECT_EQ(translucency.ColorKey(), 0x8000000Fu);
  for (TranslucencyMode mode : {TranslucencyMode::Off, TranslucencyMode::ColorKey}) {
    translucency.SetMode(mode);
  }
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
}

}  // namespace
}  // namespace vantrel
