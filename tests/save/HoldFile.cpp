// hold-file PATH [MILLISECONDS]: opens PATH as a virus scanner or an indexer
// does, sharing reading and writing but not deleting, and keeps it open for
// that long, or until it is ended.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) return 2;
  // The test probes the file until it is held, which may get in the way of
  // opening it for a moment.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 5000 && file == INVALID_HANDLE_VALUE; ++attempt) {
    file = CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION) return 1;
    if (file == INVALID_HANDLE_VALUE) Sleep(1);
  }
  if (file == INVALID_HANDLE_VALUE) return 1;
  Sleep(argc == 3 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : INFINITE);
  CloseHandle(file);
  return 0;
}
