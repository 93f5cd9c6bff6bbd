// The contract suite's backend on a Mac: the real platform, with a child
// process as the subject application (mac_contract_subject.mm). Reading this
// process's own tree from its main thread would make every read wait for the
// thread that must answer it. The process that runs the tests needs the
// Accessibility permission (otherwise those tests skip).
#import <AppKit/AppKit.h>

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "contract/contract_backend.h"
#include "platform/mac/cf_string.h"
#include "platform/mac/mac_colors.h"
#include "platform/mac/mac_platform.h"

extern char** environ;

namespace lumetta::contract {

namespace {

// The subject process, started once per test process. It quits by itself when
// this process ends and its input closes.
class Subject {
 public:
  static Subject& shared() {
    static Subject subject;
    return subject;
  }

  Pid pid() const { return pid_; }

  // Sends one command and waits until the subject has carried it out.
  void send(const std::string& command) {
    if (std::fprintf(input_, "%s\n", command.c_str()) < 0 || std::fflush(input_) != 0 ||
        readLine() != "done") {
      throw std::runtime_error("the contract subject did not answer \"" + command + "\"");
    }
  }

 private:
  Subject() {
    signal(SIGPIPE, SIG_IGN);  // a subject that died fails the test, not the process
    int toSubject[2];
    int fromSubject[2];
    if (pipe(toSubject) != 0 || pipe(fromSubject) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, toSubject[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, fromSubject[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, toSubject[1]);
    posix_spawn_file_actions_addclose(&actions, fromSubject[0]);
    char path[] = LUMETTA_CONTRACT_SUBJECT;
    char* arguments[] = {path, nullptr};
    const int error = posix_spawn(&pid_, path, &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(toSubject[0]);
    close(fromSubject[1]);
    if (error != 0) throw std::runtime_error(std::string("cannot start ") + path);
    input_ = fdopen(toSubject[1], "w");
    output_ = fdopen(fromSubject[0], "r");
    if (!input_ || !output_ || readLine() != "ready") {
      throw std::runtime_error("the contract subject did not start");
    }
  }

  std::string readLine() {
    char line[64];
    if (!std::fgets(line, sizeof line, output_)) return {};
    std::string text(line);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  pid_t pid_ = 0;
  FILE* input_ = nullptr;
  FILE* output_ = nullptr;
};

class MacContractBackend final : public ContractBackend {
 public:
  MacContractBackend() : subject_(Subject::shared()) {
    @autoreleasepool {
      // An unbundled test process shows the panels it makes only with a
      // policy that allows windows.
      [[NSApplication sharedApplication]
          setActivationPolicy:NSApplicationActivationPolicyAccessory];
    }
    subject_.send("title " + std::string(kSubjectTitle));
  }
  ~MacContractBackend() override {
    @autoreleasepool {  // what the tests stored in this process's defaults
      NSUserDefaults* defaults = [NSUserDefaults standardUserDefaults];
      for (NSString* key in defaults.dictionaryRepresentation.allKeys) {
        if ([key hasPrefix:mac::nsString(kDefaultsKeyPrefix)]) [defaults removeObjectForKey:key];
      }
    }
  }

  Platform platform() override { return mac_.platform(); }
  Pid subject() override { return subject_.pid(); }

  void retitleSubjectWindow(std::string_view title) override {
    subject_.send("title " + std::string(title));
  }

  // Posted where the system posts it, with the payload the system gives:
  // the backend cannot tell it from the real thing.
  void reportWorkspaceEvent(WorkspaceNotification name) override {
    @autoreleasepool {
      NSWorkspace* workspace = [NSWorkspace sharedWorkspace];
      const bool aboutAnApplication = name == WorkspaceNotification::didLaunchApplication ||
                                      name == WorkspaceNotification::didTerminateApplication;
      NSRunningApplication* application =
          [NSRunningApplication runningApplicationWithProcessIdentifier:subject_.pid()];
      NSDictionary* info =
          aboutAnApplication && application ? @{NSWorkspaceApplicationKey : application} : nil;
      [workspace.notificationCenter postNotificationName:mac::nsString(notificationName(name))
                                                  object:workspace
                                                userInfo:info];
    }
  }

  bool hasHungChild() override { return false; }

  void storeDefaultsText(std::string_view key, std::string_view text) override {
    @autoreleasepool {
      [[NSUserDefaults standardUserDefaults] setObject:mac::nsString(text)
                                                forKey:mac::nsString(key)];
    }
  }

  std::optional<std::string> pasteboardText() override {
    @autoreleasepool {
      NSString* text = [[NSPasteboard generalPasteboard] stringForType:NSPasteboardTypeString];
      if (!text) return std::nullopt;
      return mac::utf8(text);
    }
  }
  // The test process is no application bundle: SMAppService has no item for it.
  bool hasLoginItem() override { return false; }
  void activateApplication() override {
    @autoreleasepool {
      [[NSNotificationCenter defaultCenter]
          postNotificationName:NSApplicationDidBecomeActiveNotification
                        object:[NSApplication sharedApplication]];
    }
  }

  // As the panel reports a pick: its colour changes and its action goes to its target.
  void pickColor(const Color& color) override { pick(mac::nsColor(color)); }
  void pickColorWithoutSRGB() override {
    @autoreleasepool {
      NSImage* image = [[NSImage alloc] initWithSize:NSMakeSize(4, 4)];
      pick([NSColor colorWithPatternImage:image]);
    }
  }

 private:
  void pick(NSColor* color) {
    @autoreleasepool {
      NSColorPanel* panel = [NSColorPanel sharedColorPanel];
      panel.color = color;
      [NSApp sendAction:@selector(colorChanged:) to:mac_.colorPanel().target() from:panel];
    }
  }

  Subject& subject_;
  mac::MacPlatform mac_;
};

}  // namespace

std::unique_ptr<ContractBackend> makeContractBackend() {
  return std::make_unique<MacContractBackend>();
}

}  // namespace lumetta::contract
