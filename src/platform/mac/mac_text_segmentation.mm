#include "platform/mac/mac_text_segmentation.h"

#import <Foundation/Foundation.h>

namespace lumetta::mac {

namespace {

// None when the text is not UTF-8.
NSString* stringOf(std::string_view text) {
  return [[NSString alloc] initWithBytes:text.data()
                                  length:text.size()
                                encoding:NSUTF8StringEncoding];
}

}  // namespace

std::size_t MacTextSegmentation::characterCount(std::string_view text) {
  @autoreleasepool {
    NSString* string = stringOf(text);
    if (!string) return text.size();
    std::size_t count = 0;
    for (NSUInteger index = 0; index < string.length;
         index = NSMaxRange([string rangeOfComposedCharacterSequenceAtIndex:index])) {
      ++count;
    }
    return count;
  }
}

std::size_t MacTextSegmentation::suffixStart(std::string_view text, std::size_t count) {
  @autoreleasepool {
    NSString* string = stringOf(text);
    if (!string) return byteSuffixStart(text, count);
    NSUInteger start = string.length;
    for (std::size_t taken = 0; taken < count && start > 0; ++taken) {
      start = [string rangeOfComposedCharacterSequenceAtIndex:start - 1].location;
    }
    return [[string substringToIndex:start] lengthOfBytesUsingEncoding:NSUTF8StringEncoding];
  }
}

}  // namespace lumetta::mac
