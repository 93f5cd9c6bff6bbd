// expect: no matching function for call to 'AXUIElementSetMessagingTimeout'
// An argument of the wrong type must not pass the check.
#import <ApplicationServices/ApplicationServices.h>

#include <string>

void bound(AXUIElementRef element, const std::string& seconds) {
  AXUIElementSetMessagingTimeout(element, seconds);
}
