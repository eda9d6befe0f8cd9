// Stands in for 7z.exe in tests: says what went wrong, as a broken archiver would, and fails.
#include <cstdio>

int main(int argc, char** argv) {
  std::printf("\nfailing archiver: cannot open %s\n", argc > 2 ? argv[2] : "(nothing)");
  std::fprintf(stderr, "ERROR: broken archiver\n");
  return 2;
}
