// Text between the seam's UTF-8 strings and the system's strings.
//
// Implements: UTF-8 in and out of CFString and NSString.
// Ignores: nothing.
#pragma once

#import <Foundation/Foundation.h>

#include <string>
#include <string_view>

namespace lumetta::mac {

NSString* nsString(std::string_view text);
// Empty for nil; characters that do not convert are dropped.
std::string utf8(NSString* text);
std::string utf8(CFStringRef text);

}  // namespace lumetta::mac
