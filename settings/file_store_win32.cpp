// Win32 file store: ReadFile, and a temporary file put in place by MoveFileExA.
#include <windows.h>

#include <string>

#include "settings/file_store.h"

long ReadFileStart(const char* path, uint8_t* buffer, size_t capacity) {
  HANDLE file =
      CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  size_t total = 0;
  bool ok = true;
  while (ok && total < capacity) {
    DWORD got = 0;
    ok = ReadFile(file, buffer + total, static_cast<DWORD>(capacity - total), &got, nullptr);
    if (!ok || got == 0) break;
    total += got;
  }
  CloseHandle(file);
  return ok ? static_cast<long>(total) : -1;
}

bool ReplaceFileContents(const char* path, const uint8_t* data, size_t size) {
  // A read-only target stays as it is (Wine's MoveFileExA would replace it).
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  // One character more than the target, so any path that fits MAX_PATH still fits.
  const std::string temp = std::string(path) + "~";
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) && written == size &&
            FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}
