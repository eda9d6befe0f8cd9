/* Preloaded (LD_PRELOAD) into the Wine processes of the support tests: one chosen Wine
   process fails to start the way a randomly placed heap makes it fail now and then
   ("failed to map the shared user data: c0000018"). A file named velk-start-fault in the
   process's current folder names it by a part of its command line; the first process that
   matches removes the file, so only that one start fails. Built with the host's gcc. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdint.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>

/* Every Wine process maps its shared user data page here. */
#define SHARED_USER_DATA 0x7ffe0000UL
#define PAGE_END (SHARED_USER_DATA + 0x10000UL)

static ssize_t ReadAll(const char *path, char *buffer, size_t size) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return -1;
  ssize_t n = read(fd, buffer, size - 1);
  close(fd);
  if (n < 0) return -1;
  buffer[n] = 0;
  return n;
}

__attribute__((constructor)) static void StartFault(void) {
  char wanted[256], line[4096];
  if (ReadAll("velk-start-fault", wanted, sizeof wanted) <= 0) return;
  ssize_t n = ReadAll("/proc/self/cmdline", line, sizeof line);
  if (n <= 0) return;
  for (ssize_t i = 0; i < n; ++i)
    if (!line[i]) line[i] = ' ';
  if (!strstr(line, wanted) || unlink("velk-start-fault") != 0) return;
  /* The heap grown over the page, as the loader's heap lies there in a failing start; a heap
     placed above it cannot reach it, and a mapping of the page stands in. */
  uintptr_t end = (uintptr_t)sbrk(0);
  if (end < SHARED_USER_DATA && sbrk((intptr_t)(PAGE_END - end)) != (void *)-1) return;
  mmap((void *)SHARED_USER_DATA, PAGE_END - SHARED_USER_DATA, PROT_NONE,
       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED_NOREPLACE, -1, 0);
}
