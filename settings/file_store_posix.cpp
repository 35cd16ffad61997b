// POSIX file store: read with open/read, replace through mkstemp and rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "settings/file_store.h"

long ReadFileStart(const char* path, uint8_t* buffer, size_t capacity) {
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  size_t total = 0;
  while (total < capacity) {
    const ssize_t n = read(fd, buffer + total, capacity - total);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return -1;
    }
    if (n == 0) break;
    total += static_cast<size_t>(n);
  }
  close(fd);
  return static_cast<long>(total);
}

bool ReplaceFileContents(const char* path, const uint8_t* data, size_t size) {
  // A target marked read-only is kept, as Windows keeps it, even for root.
  struct stat target {};
  if (stat(path, &target) == 0 && (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
    return false;
  std::string temp = std::string(path) + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  if (fd < 0) return false;
  bool ok = fchmod(fd, 0644) == 0;
  for (size_t done = 0; ok && done < size;) {
    const ssize_t n = write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0)
      ok = false;
    else
      done += static_cast<size_t>(n);
  }
  ok = ok && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && rename(temp.c_str(), path) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}
