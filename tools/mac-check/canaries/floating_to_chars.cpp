// expect: 'to_chars' is unavailable
// Apple's libc++ formats floating-point numbers with to_chars only from macOS 13.3 on.
#include <charconv>

char* shortest(char* first, char* last, double value) {
  return std::to_chars(first, last, value).ptr;
}
