// The contract suite's subject application on a Mac: a process of its own
// with one window titled "Lumetta contract", so that the tests read another
// process's accessibility tree, as the application does, and never the tree of
// the process whose main thread must answer the reads. It prints "ready" once
// its window shows, then takes commands on standard input, one a line, each
// answered with "done" once carried out on the main thread:
//   title TEXT   retitles the window
// It quits at the end of its input, when the test process goes away.
#import <AppKit/AppKit.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "contract/contract_backend.h"

namespace {

NSString* text(std::string_view characters) {
  return [[NSString alloc] initWithBytes:characters.data()
                                  length:characters.size()
                                encoding:NSUTF8StringEncoding];
}

void answer(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

}  // namespace

int main() {
  @autoreleasepool {
    NSApplication* application = [NSApplication sharedApplication];
    // An unbundled process shows windows only with a policy that allows them.
    [application setActivationPolicy:NSApplicationActivationPolicyAccessory];
    NSWindow* window = [[NSWindow alloc] initWithContentRect:NSMakeRect(200, 200, 480, 320)
                                                   styleMask:NSWindowStyleMaskTitled
                                                     backing:NSBackingStoreBuffered
                                                       defer:NO];
    window.releasedWhenClosed = NO;
    window.title = text(lumetta::contract::kSubjectTitle);
    [window orderFrontRegardless];

    dispatch_async(dispatch_get_main_queue(), ^{ answer("ready"); });
    dispatch_queue_t input =
        dispatch_queue_create("dev.lumetta.contract-subject.input", DISPATCH_QUEUE_SERIAL);
    dispatch_async(input, ^{
      char line[4096];
      while (std::fgets(line, sizeof line, stdin)) {
        std::string command(line);
        if (!command.empty() && command.back() == '\n') command.pop_back();
        dispatch_sync(dispatch_get_main_queue(), ^{
          if (command.rfind("title ", 0) == 0) window.title = text(command.substr(6));
        });
        answer("done");
      }
      std::exit(0);
    });
    [application run];
  }
  return 0;
}
