#include "e2e/driver.h"

#include <png.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace qk::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kFileNameField = 0x47C;
constexpr int kMessageBoxText = 0xFFFF;

bool sendTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result) != 0;
}

LRESULT sendA(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  return sendTimeout(window, message, wParam, lParam, result) ? static_cast<LRESULT>(result) : -1;
}

LRESULT sendW(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                           &result)) {
    return -1;
  }
  return static_cast<LRESULT>(result);
}

std::string toAnsi(const std::wstring& wide) {
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), ansi.data(), size,
                      nullptr, nullptr);
  return ansi;
}

std::string className(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

// The build passes Unix paths; Wine shows the Unix root as drive Z:.
std::string windowsPath(const char* unixPath) {
  std::string path = "Z:" + std::string(unixPath);
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

LPARAM clientPoint(POINT point) { return MAKELPARAM(point.x, point.y); }

void moveCursorTo(HWND window, POINT point) {
  POINT screen = point;
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  PostMessageA(window, WM_MOUSEMOVE, 0, clientPoint(point));
}

struct WindowSearch {
  DWORD processId;
  std::function<bool(HWND)> matches;
  HWND found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && search->matches(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND findTopLevel(DWORD processId, std::function<bool(HWND)> matches) {
  WindowSearch search{processId, std::move(matches), nullptr};
  EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A block of memory in another process, freed when it goes.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  char* address() const { return static_cast<char*>(address_); }
  bool write(const void* data, size_t size, size_t offset = 0) const {
    return address_ && WriteProcessMemory(process_, address() + offset, data, size, nullptr);
  }
  bool read(void* data, size_t size, const void* from) const {
    return ReadProcessMemory(process_, from, data, size, nullptr) != 0;
  }

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace

testing::AssertionResult waitUntil(const std::string& what, const std::function<bool()>& condition,
                                   DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) {
      return testing::AssertionFailure() << "timed out after " << timeoutMs << " ms waiting for "
                                         << what;
    }
    Sleep(10);
  }
  return testing::AssertionSuccess();
}

std::string programPath() { return windowsPath(QK_PROGRAM_PATH); }

std::string profileFolder() {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, CSIDL_PROFILE, FALSE);
  return path;
}

std::string settingsFilePath() { return profileFolder() + "\\Quellkiste.ini"; }

std::string hostName() {
  WSADATA data;
  WSAStartup(MAKEWORD(1, 1), &data);
  char name[1024] = {};
  std::string result = gethostname(name, sizeof name) == 0 ? name : "";
  WSACleanup();
  return result;
}

std::string windowText(HWND window) {
  LRESULT length = sendA(window, WM_GETTEXTLENGTH);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  LRESULT copied = sendA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

void setText(HWND window, const std::string& text) {
  sendA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool isVisible(HWND window) { return IsWindowVisible(window) != 0; }

bool isEnabled(HWND window) { return IsWindowEnabled(window) != 0; }

RECT rectIn(HWND window, HWND parent) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

SIZE clientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

void setClientSize(HWND window, int width, int height) {
  RECT outer{0, 0, width, height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Done from here, the resize reaches the program as a sent message inside
  // its GetMessageA, which then waits on; a drag by the user ends with posted
  // mouse input. Post a message so that the program goes on as it would.
  PostMessageA(window, WM_NULL, 0, 0);
}

std::vector<std::string> listRows(HWND list) {
  std::vector<std::string> rows;
  LRESULT count = sendW(list, LB_GETCOUNT);
  for (LRESULT row = 0; row < count; ++row) {
    LRESULT length = sendW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row));
    std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    LRESULT copied =
        sendW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    rows.push_back(toAnsi(text));
  }
  return rows;
}

int listSelection(HWND list) { return static_cast<int>(sendW(list, LB_GETCURSEL)); }

RECT listRowRect(HWND list, int row) {
  RECT rect{};
  sendA(list, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

void selectComboRow(HWND combo, int row) { sendA(combo, CB_SETCURSEL, static_cast<WPARAM>(row)); }

void click(HWND window, POINT point) {
  moveCursorTo(window, point);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(point));
  PostMessageA(window, WM_LBUTTONUP, 0, clientPoint(point));
}

void doubleClick(HWND window, POINT point) {
  click(window, point);
  PostMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, clientPoint(point));
  PostMessageA(window, WM_LBUTTONUP, 0, clientPoint(point));
}

void rightClick(HWND window, POINT point) {
  moveCursorTo(window, point);
  PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, clientPoint(point));
  PostMessageA(window, WM_RBUTTONUP, 0, clientPoint(point));
}

POINT centerOf(const RECT& rect) {
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void pressButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

std::string messageBoxText(HWND box) { return windowText(GetDlgItem(box, kMessageBoxText)); }

void pressOk(HWND box) { pressButton(GetDlgItem(box, IDOK)); }

void chooseFile(HWND dialog, const std::string& fullPath) {
  HWND field = GetDlgItem(dialog, kFileNameField);
  HWND edit = reinterpret_cast<HWND>(sendA(field, CBEM_GETEDITCONTROL));
  setText(edit ? edit : field, fullPath);
  pressOk(dialog);
}

void chooseMenuItem(HWND menu, int downPresses) {
  for (int i = 0; i < downPresses; ++i) {
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYUP, VK_DOWN, 0xC0000000);
  }
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  PostMessageA(menu, WM_KEYUP, VK_RETURN, 0xC0000000);
}

namespace {

// 8-bit RGB rows, top to bottom.
bool writePng(const std::string& path, int width, int height, const std::vector<png_byte>& rgb) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool written = false;
  if (info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, out);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
      png_write_row(png, rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3);
    }
    png_write_end(png, nullptr);
    written = true;
  }
  png_destroy_write_struct(&png, &info);
  std::fclose(out);
  return written;
}

}  // namespace

std::string saveScreenshot(HWND window, const std::string& name) {
  RECT rect{};
  GetWindowRect(window, &rect);
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = width;
  format.bmiHeader.biHeight = -height;  // top-down rows
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();

  // BGRA as GDI leaves it (alpha 0) to RGB.
  std::vector<png_byte> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
  const auto* bgra = static_cast<const png_byte*>(bits);
  for (size_t i = 0; i < static_cast<size_t>(width) * static_cast<size_t>(height); ++i) {
    rgb[i * 3] = bgra[i * 4 + 2];
    rgb[i * 3 + 1] = bgra[i * 4 + 1];
    rgb[i * 3 + 2] = bgra[i * 4];
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);

  std::string folder = windowsPath(QK_SCREENSHOT_DIR);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::string path = folder + "\\" + name + ".png";
  return writePng(path, width, height, rgb) ? path : std::string();
}

COLORREF screenPixel(HWND window, POINT point) {
  ClientToScreen(window, &point);
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, point.x, point.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

Program::~Program() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, kWaitMs);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

testing::AssertionResult Program::start(const std::string& workDir, const std::string& parameters) {
  std::string commandLine = "\"" + programPath() + "\"";
  if (!parameters.empty()) commandLine += " " + parameters;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workDir.c_str(), &startup, &info_)) {
    return testing::AssertionFailure() << "cannot start " << commandLine << " in " << workDir
                                       << " (error " << GetLastError() << ")";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult Program::waitForMainWindow(const std::string& title) {
  DWORD exitCode = 0;
  auto found = waitUntil("a window titled \"" + title + "\" (is an X display set?)", [&] {
    window_ = findTopLevel(info_.dwProcessId, [&](HWND w) {
      return className(w) != "#32770" && windowText(w) == title;
    });
    return window_ != nullptr || (GetExitCodeProcess(info_.hProcess, &exitCode) &&
                                  exitCode != STILL_ACTIVE);
  });
  if (!found) return found;
  if (!window_) return testing::AssertionFailure() << "the program ended with code " << exitCode;
  auto complete = waitUntil("control 15 of the main window",
                            [&] { return GetDlgItem(window_, 15) != nullptr; });
  if (!complete) return complete;
  return waitForIdle();
}

testing::AssertionResult Program::open(const std::string& workDir, const std::string& parameters,
                                       const std::string& title) {
  auto started = start(workDir, parameters);
  return started ? waitForMainWindow(title) : started;
}

std::string Program::mainWindowClass() const { return className(window_); }

testing::AssertionResult Program::waitForIdle() {
  DWORD result = WaitForInputIdle(info_.hProcess, kWaitMs);
  if (result != 0) {
    return testing::AssertionFailure() << "the program did not wait for input within " << kWaitMs
                                       << " ms";
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult Program::close(DWORD& exitCode) {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  return waitForExit(exitCode);
}

testing::AssertionResult Program::waitForExit(DWORD& exitCode) {
  if (WaitForSingleObject(info_.hProcess, kWaitMs) != WAIT_OBJECT_0) {
    return testing::AssertionFailure() << "the program did not end within " << kWaitMs << " ms";
  }
  GetExitCodeProcess(info_.hProcess, &exitCode);
  return testing::AssertionSuccess();
}

testing::AssertionResult Program::waitForWindow(const char* wantedClass, const std::string& title,
                                                HWND& found, DWORD timeoutMs) {
  return waitUntil("a window of class " + std::string(wantedClass) + " titled \"" + title + "\"",
                   [&] {
                     found = findTopLevel(info_.dwProcessId, [&](HWND w) {
                       return isVisible(w) && className(w) == wantedClass && windowText(w) == title;
                     });
                     return found != nullptr;
                   },
                   timeoutMs);
}

testing::AssertionResult Program::waitForMessageBox(const std::string& title, HWND& box) {
  auto shown = waitForWindow("#32770", title, box);
  if (!shown) return shown;
  return waitUntil("the OK button of the message box \"" + title + "\"",
                   [&] { return GetDlgItem(box, IDOK) != nullptr; });
}

testing::AssertionResult Program::waitForFileDialog(HWND& dialog) {
  return waitUntil("the file-open dialog", [&] {
    dialog = findTopLevel(info_.dwProcessId, [](HWND w) {
      return isVisible(w) && className(w) == "#32770" && GetDlgItem(w, kFileNameField) != nullptr;
    });
    return dialog != nullptr;
  });
}

testing::AssertionResult Program::waitForPopupMenu(HWND& menu) {
  return waitUntil("a popup menu", [&] {
    menu = findTopLevel(info_.dwProcessId,
                        [](HWND w) { return isVisible(w) && className(w) == "#32768"; });
    return menu != nullptr;
  });
}

testing::AssertionResult Program::waitForGone(HWND window, const std::string& what) {
  return waitUntil(what + " to close", [&] { return !IsWindow(window) || !isVisible(window); });
}

std::vector<TreeItem> Program::treeItems(HWND tree) const {
  constexpr size_t kTextSize = 1024;
  RemoteBlock block(info_.hProcess, sizeof(TVITEMA) + kTextSize);
  std::vector<TreeItem> items;
  // Depth-first: the first child, else the next sibling of the item or of
  // the nearest ancestor that has one.
  std::vector<HTREEITEM> ancestors;
  auto next = [&](UINT relation, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(
        sendA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(from)));
  };
  for (HTREEITEM item = next(TVGN_ROOT, nullptr); item;) {
    TVITEMA query{};
    query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_IMAGE | TVIF_STATE;
    query.hItem = item;
    query.stateMask = static_cast<UINT>(-1);
    query.pszText = block.address() + sizeof(TVITEMA);
    query.cchTextMax = kTextSize;
    TreeItem read;
    read.handle = item;
    read.level = static_cast<int>(ancestors.size());
    if (block.write(&query, sizeof query) &&
        sendA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(block.address())) > 0 &&
        block.read(&query, sizeof query, block.address())) {
      char text[kTextSize] = {};
      block.read(text, kTextSize - 1, query.pszText);
      read.text = text;
      read.image = query.iImage;
      read.state = query.state;
    }
    items.push_back(read);

    HTREEITEM child = next(TVGN_CHILD, item);
    if (child) {
      ancestors.push_back(item);
      item = child;
      continue;
    }
    item = next(TVGN_NEXT, item);
    while (!item && !ancestors.empty()) {
      item = next(TVGN_NEXT, ancestors.back());
      ancestors.pop_back();
    }
  }
  return items;
}

LRESULT Program::sendWithRemoteBuffer(HWND window, UINT message, WPARAM wParam, void* data,
                                      size_t size) const {
  RemoteBlock block(info_.hProcess, size);
  if (!block.write(data, size)) return 0;
  LRESULT result = sendA(window, message, wParam, reinterpret_cast<LPARAM>(block.address()));
  block.read(data, size, block.address());
  return result;
}

bool Program::treeItemRect(HWND tree, HTREEITEM item, RECT& rect) const {
  // The RECT goes in holding the item's handle in its first bytes.
  rect = {};
  *reinterpret_cast<HTREEITEM*>(&rect) = item;
  return sendWithRemoteBuffer(tree, TVM_GETITEMRECT, TRUE, &rect, sizeof rect) > 0;
}

bool Program::tabRect(HWND tabs, int index, RECT& rect) const {
  rect = {};
  return sendWithRemoteBuffer(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), &rect,
                              sizeof rect) > 0;
}

testing::AssertionResult Program::clickTab(HWND tabs, int index) {
  auto selected = [&] { return sendA(tabs, TCM_GETCURSEL) == index; };
  return waitUntil("tab " + std::to_string(index) + " to be selected", [&] {
    if (selected()) return true;
    // Wine gives no rectangle for a tab scrolled out to the left.
    RECT tab{};
    bool shown = tabRect(tabs, index, tab) && tab.right > tab.left;
    // While the tabs do not fit, an arrow control covers the strip's right end.
    HWND arrows = FindWindowExA(tabs, nullptr, UPDOWN_CLASSA, nullptr);
    LONG visibleEnd = clientSize(tabs).cx;
    RECT arrowRect{};
    if (arrows && isVisible(arrows)) {
      arrowRect = rectIn(arrows, tabs);
      visibleEnd = arrowRect.left;
    }
    POINT center = shown ? centerOf(tab) : POINT{-1, 0};
    if (center.x >= 0 && center.x < visibleEnd) {
      click(tabs, center);
    } else if (arrows) {
      // Left half scrolls towards the first tab, right half towards the last.
      SIZE arrowSize = clientSize(arrows);
      POINT arrow{center.x < 0 ? arrowSize.cx / 4 : arrowSize.cx * 3 / 4, arrowSize.cy / 2};
      click(arrows, arrow);
    }
    // Give the program the posted input before looking again.
    return static_cast<bool>(waitUntil("the tab strip to take the click", selected, 200));
  });
}

}  // namespace qk::e2e
