#include "platform/mac/cf_string.h"

namespace lumetta::mac {

NSString* nsString(std::string_view text) {
  NSString* string = [[NSString alloc] initWithBytes:text.data()
                                              length:text.size()
                                            encoding:NSUTF8StringEncoding];
  return string ? string : @"";  // bytes that are not UTF-8
}

std::string utf8(NSString* text) {
  if (!text) return {};
  NSData* bytes = [text dataUsingEncoding:NSUTF8StringEncoding allowLossyConversion:YES];
  return std::string(static_cast<const char*>(bytes.bytes), bytes.length);
}

std::string utf8(CFStringRef text) { return utf8((__bridge NSString*)text); }

}  // namespace lumetta::mac
