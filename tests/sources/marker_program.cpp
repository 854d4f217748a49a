// Started by the tests of opening an entry's file: proves that it ran by
// writing "<its own path>.ran".
#include <windows.h>

int main() {
  char path[MAX_PATH + 8];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return 1;
  lstrcatA(path, ".ran");
  HANDLE marker =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (marker == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(marker);
  return 0;
}
