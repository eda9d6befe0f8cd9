// A program for the kit's and the shell's tests to start:
//   kit_probe exit <code>    writes "out" to stdout and "err" to stderr, exits with <code>
//   kit_probe sleep <ms>     sleeps, then exits 0
//   kit_probe flood <bytes>  writes that many bytes to stdout
//   kit_probe stdin          reads standard input to its end and prints the byte count
//   kit_probe cwd            prints the current folder (UTF-8)
//   kit_probe                (no arguments, as the shell's "open" starts it) writes the
//                            current folder into kit_probe.txt in that folder
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace {

std::string CurrentFolder() {
  const DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring buffer(size, L'\0');
  const DWORD n = GetCurrentDirectoryW(size, buffer.data());
  buffer.resize(n);
  return velk::Narrow(buffer);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    const std::string folder = CurrentFolder();
    return velk::WriteFileBytes(folder + "\\kit_probe.txt", folder) ? 0 : 1;
  }
  const std::string mode = argv[1];
  const long value = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 0;
  if (mode == "exit") {
    std::fputs("out\n", stdout);
    std::fflush(stdout);
    std::fputs("err\n", stderr);
    return static_cast<int>(value);
  }
  if (mode == "sleep") {
    Sleep(static_cast<DWORD>(value));
    return 0;
  }
  if (mode == "flood") {
    const std::string block(4096, 'x');
    for (long left = value; left > 0; left -= 4096)
      std::fwrite(block.data(), 1, left < 4096 ? static_cast<size_t>(left) : block.size(), stdout);
    return 0;
  }
  if (mode == "stdin") {
    size_t count = 0;
    while (std::fgetc(stdin) != EOF) ++count;
    std::printf("%zu", count);
    return 0;
  }
  if (mode == "cwd") {
    std::fputs(CurrentFolder().c_str(), stdout);
    return 0;
  }
  return 2;
}
