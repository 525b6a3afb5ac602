#include <windows.h>
#include <gtest/gtest.h>
TEST(Harness, CreatesAWindow) {
  HWND w = CreateWindowExA(0, "STATIC", "x", WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  char text[8] = {};
  SendMessageA(w, WM_GETTEXT, sizeof text, (LPARAM)text);
  EXPECT_STREQ(text, "x");
  DestroyWindow(w);
}
