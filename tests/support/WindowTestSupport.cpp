#include "support/WindowTestSupport.h"


namespace widgets_test {

bool PumpMessages() {
  bool quit = false;
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return quit;
}

HeldKeys::HeldKeys(std::vector<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys) state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

void PressKey(HWND window, WORD key) {
  SendMessageA(window, WM_KEYDOWN, key, 1);
  SendMessageA(window, WM_KEYUP, key, 0xC0000001);
}

Picture::Picture(int width, int height) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<const DWORD*>(bits);
  previous_ = SelectObject(dc_, bitmap_);
}

Picture::~Picture() {
  SelectObject(dc_, previous_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF Picture::At(int x, int y) const {
  GdiFlush();
  DWORD pixel = bits_[y * width_ + x];  // 0x00RRGGBB in a DIB
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool Picture::Contains(COLORREF colour) const {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (At(x, y) == colour) return true;
    }
  }
  return false;
}

void Picture::CopyFromScreen(HWND window) {
  UpdateWindow(window);
  HDC source = GetDC(window);
  BitBlt(dc_, 0, 0, width_, height_, source, 0, 0, SRCCOPY);
  ReleaseDC(window, source);
}

HandleCounts LiveHandles() {
  return {widgets::LiveGdiObjects(), widgets::LiveWindows(), widgets::LiveIcons()};
}

void PrintTo(const HandleCounts& counts, std::ostream* out) {
  *out << "{gdi " << counts.gdi << ", windows " << counts.windows << ", icons " << counts.icons
       << "}";
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

void FormTest::SetUp() {
  before_ = LiveHandles();
  form_ = widgets::CreateForm(nullptr, "Test");
  form_->SetLeft(10);
  form_->SetTop(10);
  form_->SetWidth(300);
  form_->SetHeight(240);
}

void FormTest::TearDown() {
  widgets::DestroyControl(form_);
  PumpMessages();
  EXPECT_FALSE(widgets::HasPendingException());
  EXPECT_EQ(before_, LiveHandles()) << "the case leaked handles";
}

std::string ClassNameOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

}  // namespace widgets_test
