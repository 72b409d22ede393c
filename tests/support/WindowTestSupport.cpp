#include "support/WindowTestSupport.h"

#include "win/WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace zemko_test {

namespace {

constexpr DWORD kPumpSliceMs = 10;
constexpr UINT kReadTimeoutMs = 2000;
bool gQuitSeen = false;

}  // namespace

bool QuitSeen() { return gQuitSeen; }
void ForgetQuit() { gQuitSeen = false; }

bool PumpMessages(Quit quit) {
  bool quitMet = false;
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      gQuitSeen = quitMet = true;
      if (quit == Quit::Drop) continue;
      PostQuitMessage(static_cast<int>(message.wParam));
      return true;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return quitMet;
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds, Quit quit) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (PumpMessages(quit) && quit == Quit::KeepForLoop) return done();
    if (done()) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPumpSliceMs, QS_ALLINPUT);
  }
}

void PumpFor(DWORD milliseconds, Quit quit) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= milliseconds; }, milliseconds, quit);
}

HeldKeys::HeldKeys(std::vector<int> keys) {
  GetKeyboardState(saved_);
  BYTE state[256];
  GetKeyboardState(state);
  for (int key : keys) state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved_); }

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

namespace {

// A BMP file of a top-down 32-bit picture: the file header, the info header
// and the pixels.
std::vector<BYTE> BmpFile(const DWORD* bits, int width, int height) {
  const DWORD pixelBytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + pixelBytes;
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biSizeImage = pixelBytes;
  std::vector<BYTE> bytes(file.bfSize);
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  std::memcpy(bytes.data() + file.bfOffBits, bits, pixelBytes);
  return bytes;
}

}  // namespace

bool Picture::Save(const std::wstring& path) const {
  GdiFlush();
  const std::vector<BYTE> bytes = BmpFile(bits_, width_, height_);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool saved = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                               nullptr) &&
                     written == bytes.size();
  CloseHandle(file);
  return saved;
}

int Picture::DifferingPixels(const std::wstring& path) const {
  GdiFlush();
  const std::vector<BYTE> mine = BmpFile(bits_, width_, height_);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  std::vector<BYTE> theirs(mine.size() + 1);
  DWORD read = 0;
  ReadFile(file, theirs.data(), static_cast<DWORD>(theirs.size()), &read, nullptr);
  CloseHandle(file);
  if (read != mine.size()) return -1;
  const std::size_t headers = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  if (std::memcmp(mine.data(), theirs.data(), headers) != 0) return -1;
  int differing = 0;
  for (std::size_t at = headers; at < mine.size(); at += 4) {
    if (std::memcmp(mine.data() + at, theirs.data() + at, 4) != 0) ++differing;
  }
  return differing;
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

std::wstring WideTextOf(HWND window) {
  // WM_GETTEXT itself: GetWindowText does not ask another process's window,
  // and a hung one must not hang the test.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReadTimeoutMs,
                           &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kReadTimeoutMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

std::string TextOf(HWND window) { return win::Narrow(WideTextOf(window)); }
std::string TextOf(widgets::Control* control) { return TextOf(control->EnsureWindow()); }

std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
  std::vector<HWND> found;
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    // System classes report their names in their own letter case.
    if (lstrcmpiA(ClassNameOf(child).c_str(), className) == 0) found.push_back(child);
  }
  // The layer hands out control ids in creation order.
  std::sort(found.begin(), found.end(),
            [](HWND a, HWND b) { return GetDlgCtrlID(a) < GetDlgCtrlID(b); });
  return found;
}

namespace {

BOOL CALLBACK CountEditWindow(HWND window, LPARAM count) {
  if (lstrcmpiA(ClassNameOf(window).c_str(), "Edit") == 0) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

int EditWindowCount(HWND window) {
  int count = 0;
  EnumChildWindows(window, CountEditWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

LOGFONTA FontOf(HWND window) {
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  if (handle) GetObjectA(handle, sizeof font, &font);
  return font;
}

namespace {

// A tooltip's one tool: the control it stands for and its text.
struct Tool {
  HWND window = nullptr;
  std::string text;
};

Tool ToolOf(HWND tooltip) {
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.lpszText = text;
  if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) return {};
  return {tool.hwnd, win::Narrow(text)};
}

struct TooltipSearch {
  HWND tool;
  std::vector<HWND> found;
};

BOOL CALLBACK FindTooltips(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<TooltipSearch*>(context);
  if (ClassNameOf(window) == TOOLTIPS_CLASSA && ToolOf(window).window == search->tool)
    search->found.push_back(window);
  return TRUE;
}

}  // namespace

// A hint's tooltip belongs to the control's top-level window, so the
// tooltips are found by their tool among every top-level window.
std::vector<HWND> TooltipsOf(HWND control) {
  TooltipSearch search{control, {}};
  EnumWindows(FindTooltips, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TooltipTextOf(HWND control) {
  const std::vector<HWND> tooltips = TooltipsOf(control);
  return tooltips.empty() ? std::string() : ToolOf(tooltips.front()).text;
}

}  // namespace zemko_test
