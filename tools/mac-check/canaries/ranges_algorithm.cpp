// expect: no member named 'all_of' in namespace 'std::ranges'
// The ranges algorithms came after libc++ 14 (Xcode 14.3).
#include <algorithm>
#include <vector>

bool allPositive(const std::vector<int>& values) {
  return std::ranges::all_of(values, [](int value) { return value > 0; });
}
