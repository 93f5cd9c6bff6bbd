// Grand Central Dispatch, as far as the macOS backend uses it (see
// mac_check_availability.h). With Objective-C and a deployment target of 10.8 or
// later, dispatch objects are Objective-C objects that ARC retains and releases;
// they are declared that way here, so that ARC owns them in the check as it does
// on a Mac.
#pragma once

#include <stdint.h>

#import <Foundation/NSObject.h>

#include "../mac_check_availability.h"

@protocol OS_dispatch_object <NSObject>
@end
@protocol OS_dispatch_queue <OS_dispatch_object>
@end
@protocol OS_dispatch_queue_attr <OS_dispatch_object>
@end
typedef NSObject<OS_dispatch_queue>* dispatch_queue_t;
typedef NSObject<OS_dispatch_queue_attr>* dispatch_queue_attr_t;

typedef void (^dispatch_block_t)(void);
typedef void (*dispatch_function_t)(void*);
typedef uint64_t dispatch_time_t;
#define DISPATCH_TIME_NOW (0ull)
#define NSEC_PER_SEC 1000000000ull
#define DISPATCH_QUEUE_SERIAL NULL

typedef enum : unsigned int {
  QOS_CLASS_USER_INTERACTIVE = 0x21,
  QOS_CLASS_USER_INITIATED = 0x19,
  QOS_CLASS_DEFAULT = 0x15,
  QOS_CLASS_UTILITY = 0x11,
  QOS_CLASS_BACKGROUND = 0x09,
} qos_class_t;
typedef qos_class_t dispatch_qos_class_t;

#ifdef __cplusplus
extern "C" {
#endif

dispatch_queue_t dispatch_get_main_queue(void) MACOS_SINCE(10.6);
dispatch_queue_t dispatch_get_global_queue(intptr_t identifier, uintptr_t flags) MACOS_SINCE(10.6);
dispatch_queue_t dispatch_queue_create(const char* label, dispatch_queue_attr_t attr)
    MACOS_SINCE(10.6);
dispatch_queue_attr_t dispatch_queue_attr_make_with_qos_class(dispatch_queue_attr_t attr,
                                                              dispatch_qos_class_t qos_class,
                                                              int relative_priority)
    MACOS_SINCE(10.10);
void dispatch_async(dispatch_queue_t queue, dispatch_block_t block) MACOS_SINCE(10.6);
void dispatch_async_f(dispatch_queue_t queue, void* context, dispatch_function_t work)
    MACOS_SINCE(10.6);
void dispatch_sync(dispatch_queue_t queue, dispatch_block_t block) MACOS_SINCE(10.6);
dispatch_time_t dispatch_time(dispatch_time_t when, int64_t delta) MACOS_SINCE(10.6);
void dispatch_after_f(dispatch_time_t when, dispatch_queue_t queue, void* context,
                      dispatch_function_t work) MACOS_SINCE(10.6);
void dispatch_queue_set_specific(dispatch_queue_t queue, const void* key, void* context,
                                 dispatch_function_t destructor) MACOS_SINCE(10.7);
void* dispatch_get_specific(const void* key) MACOS_SINCE(10.7);

#ifdef __cplusplus
}
#endif
