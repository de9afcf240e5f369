// hold-file PATH: opens PATH with no sharing at all and keeps it open until
// it is ended, so tests can save over a file that another process holds.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HANDLE file = CreateFileA(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(INFINITE);
  CloseHandle(file);
  return 0;
}
