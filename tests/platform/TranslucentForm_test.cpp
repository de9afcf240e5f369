// CTranslucentForm on real top-level windows: the layered style and the
// layering attributes are read back from the window after every change.
#include "platform/TranslucentForm.h"

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

class TranslucentFormTest : public ::testing::Test {
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

TEST(CTranslucentFormState, StartsOpaqueInAlphaModeWithNoWindow) {
  const CTranslucentForm form(kLayeredMajor);
  EXPECT_TRUE(form.Supported());
  EXPECT_EQ(form.hwnd(), nullptr);
  EXPECT_EQ(form.Alpha(), 255);
  EXPECT_EQ(form.ColorKey(), 0x8000000Fu);
  EXPECT_EQ(form.Mode(), 2);
  EXPECT_FALSE(CTranslucentForm(kOldMajor).Supported());
  // The default reads the platform: layered windows from major version 5.
  EXPECT_EQ(CTranslucentForm().Supported(), ReadVersionRecord().dwMajorVersion > 4);
}

TEST_F(TranslucentFormTest, BindingMakesTheWindowLayeredAndOpaque) {
  ASSERT_FALSE(ReadLayering(window_.Handle()).layered);
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  EXPECT_EQ(form.hwnd(), window_.Handle());
  EXPECT_ALPHA_LAYERED(window_.Handle(), 255);
}

TEST_F(TranslucentFormTest, AlphaInAlphaModeGoesStraightToTheWindow) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Alpha(TransparencyAlpha(50));
  EXPECT_EQ(form.Alpha(), 128);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 128);
  form.Alpha(TransparencyAlpha(90));
  EXPECT_ALPHA_LAYERED(window_.Handle(), 26);
  form.Alpha(TransparencyAlpha(0));
  EXPECT_ALPHA_LAYERED(window_.Handle(), 255);
  EXPECT_EQ(form.Mode(), 2);
}

TEST(CTranslucentFormState, AlphaThatTheWindowRefusesIsNotKept) {
  CTranslucentForm form(kLayeredMajor);  // no window bound: the platform call fails
  form.Alpha(100);
  EXPECT_EQ(form.Alpha(), 255);
}

TEST_F(TranslucentFormTest, ColorKeyInAlphaModeSwitchesToColorKeyMode) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.ColorKey(RGB(1, 2, 3));
  EXPECT_EQ(form.Mode(), 1);
  EXPECT_EQ(form.ColorKey(), RGB(1, 2, 3));
  EXPECT_KEY_LAYERED(window_.Handle(), RGB(1, 2, 3));
}

TEST_F(TranslucentFormTest, ColorKeyModeResolvesSystemColorsButKeepsWhatWasGiven) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Mode(1);
  EXPECT_KEY_LAYERED(window_.Handle(), GetSysColor(COLOR_BTNFACE));
  form.ColorKey(0x80000000u | COLOR_WINDOW);
  EXPECT_EQ(form.ColorKey(), 0x80000000u | COLOR_WINDOW);
  EXPECT_KEY_LAYERED(window_.Handle(), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(form.Mode(), 1);
}

TEST_F(TranslucentFormTest, AlphaInColorKeyModeSwitchesToAlphaMode) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Mode(1);
  form.Alpha(77);
  EXPECT_EQ(form.Mode(), 2);
  EXPECT_EQ(form.Alpha(), 77);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 77);
}

TEST_F(TranslucentFormTest, ModeOffRemovesLayeringAndAlphaBringsItBack) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Alpha(153);
  form.Mode(0);
  EXPECT_EQ(form.Mode(), 0);
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
  // Mode 2 again applies the stored alpha.
  form.Mode(2);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 153);
  form.Mode(0);
  form.Alpha(51);
  EXPECT_EQ(form.Mode(), 2);
  EXPECT_ALPHA_LAYERED(window_.Handle(), 51);
}

TEST_F(TranslucentFormTest, UnknownModesChangeNothing) {
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Alpha(204);
  for (int32_t mode : {3, -1}) {
    form.Mode(mode);
    EXPECT_EQ(form.Mode(), 2);
    EXPECT_ALPHA_LAYERED(window_.Handle(), 204);
  }
}

TEST_F(TranslucentFormTest, RebindingMovesTheLayeringToTheNewWindow) {
  TestWindow second(RECT{100, 100, 300, 300});
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(window_.Handle());
  form.Alpha(102);
  form.hwnd(second.Handle());
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
  EXPECT_EQ(form.Alpha(), 255);  // a new window always starts opaque
  EXPECT_ALPHA_LAYERED(second.Handle(), 255);
}

TEST_F(TranslucentFormTest, DestructionRemovesLayering) {
  {
    CTranslucentForm form(kLayeredMajor);
    form.hwnd(window_.Handle());
    form.Alpha(26);
  }
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
}

TEST(CTranslucentFormWindow, WorksOnAWindowWithoutOtherExtendedStyles) {
  // The previous extended style is 0 here, which must not pass for a failed
  // write: a layered window left without attributes is not drawn at all.
  TestWindow popup(RECT{10, 10, 210, 110}, WS_POPUP | WS_VISIBLE, 0);
  ASSERT_EQ(popup.ExStyle(), 0);
  CTranslucentForm form(kLayeredMajor);
  form.hwnd(popup.Handle());
  EXPECT_ALPHA_LAYERED(popup.Handle(), 255);
  form.Mode(0);
  EXPECT_EQ(popup.ExStyle(), 0);
  form.Mode(2);
  EXPECT_ALPHA_LAYERED(popup.Handle(), 255);
}

TEST_F(TranslucentFormTest, UnsupportedSystemsLeaveTheWindowAlone) {
  CTranslucentForm form(kOldMajor);
  form.hwnd(window_.Handle());
  EXPECT_EQ(form.hwnd(), nullptr);
  form.Alpha(128);
  EXPECT_EQ(form.Alpha(), 255);
  form.ColorKey(RGB(9, 9, 9));
  EXPECT_EQ(form.ColorKey(), 0x8000000Fu);
  EXPECT_EQ(form.Mode(), 2);
  // Mode is stored but has no window to act on.
  form.Mode(0);
  EXPECT_EQ(form.Mode(), 0);
  form.Mode(1);
  EXPECT_EQ(form.Mode(), 1);
  EXPECT_FALSE(ReadLayering(window_.Handle()).layered);
}

}  // namespace
}  // namespace vantrel
