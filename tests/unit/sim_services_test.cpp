// The simulated desktop's services for the menu-bar interface: the login
// item, the pasteboard, opening URLs, the application's activation, images
// and resources, and how the desktop file describes them.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "support/sim_fixture.h"

namespace lumetta {
namespace {

namespace fs = std::filesystem;
using sim::isAbsoluteURL;
using testing::atSecond;
using testing::loadError;
using testing::simulated;

// A fresh folder for one test's files, removed again at the end.
struct Folder {
  fs::path path;
  explicit Folder(const char* name) : path(fs::temp_directory_path() / name) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~Folder() { fs::remove_all(path); }
  std::string file(const char* name) const { return (path / name).string(); }
};

void writePng(const std::string& path, int width, int height) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  ASSERT_EQ(cairo_surface_write_to_png(surface, path.c_str()), CAIRO_STATUS_SUCCESS);
  cairo_surface_destroy(surface);
}

TEST(SimLoginItem, ARegistrationWaitingForApprovalIsSettledInTheSystemSettings) {
  auto platform = simulated(R"({
    "loginItem": {"needsApproval": true},
    "timeline": [{"at": 1, "loginItem": "approve"}, {"at": 2, "loginItem": "deny"},
                 {"at": 4, "loginItem": "deny"}, {"at": 5, "loginItem": "approve"}]})");
  LoginItem& item = platform->platform().loginItem;
  auto& loop = platform->manualRunLoop();
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(item.registerItem(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::requiresApproval);
  loop.runUntil(atSecond(1));
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  loop.runUntil(atSecond(2));  // nothing pending: denying changes nothing
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  EXPECT_EQ(item.unregisterItem(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  EXPECT_EQ(item.registerItem(), std::nullopt);
  loop.runUntil(atSecond(5));  // denied, and nothing left to approve
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
}

TEST(SimLoginItem, RefusalsCarryTheFilesWordsUntilTheTimelineLiftsThem) {
  auto platform = simulated(R"({
    "loginItem": {"status": "enabled", "registerError": "Operation not permitted",
                  "unregisterError": "Not now"},
    "timeline": [{"at": 1, "loginItem": {"unregisterError": null}},
                 {"at": 2, "loginItem": {"registerError": null, "status": "notFound"}}]})");
  LoginItem& item = platform->platform().loginItem;
  EXPECT_EQ(item.unregisterItem(), LoginItemError{"Not now"});
  EXPECT_EQ(item.registerItem(), LoginItemError{"Operation not permitted"});
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  platform->manualRunLoop().runUntil(atSecond(1));
  EXPECT_EQ(item.unregisterItem(), std::nullopt);
  EXPECT_EQ(item.registerItem(), LoginItemError{"Operation not permitted"});
  EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
  platform->manualRunLoop().runUntil(atSecond(2));
  EXPECT_EQ(item.status(), LoginItemStatus::notFound);
  EXPECT_EQ(item.registerItem(), std::nullopt);
  EXPECT_EQ(item.status(), LoginItemStatus::enabled);
  EXPECT_EQ(platform->loginItem().requests(), 5);
}

// A login item is registered for the running bundle's path, which must still
// be there after a restart: not a translocated copy, not outside an
// Applications folder (a disk image, Downloads, a build folder).
TEST(SimLoginItem, OnlyABundleSettledInAnApplicationsFolderIsRegistered) {
  auto registering = [](const std::string& bundlePath) {
    auto platform = simulated(R"({"lumetta": {"bundlePath": ")" + bundlePath + R"("}})");
    auto refusal = platform->platform().loginItem.registerItem();
    EXPECT_EQ(platform->loginItem().requests(), refusal ? 0 : 1) << bundlePath;
    if (!refusal) return std::string("registered");
    const std::string& words = refusal->localizedDescription;
    if (words.starts_with("Lumetta is running from a temporary copy"))
      return std::string("translocated");
    if (words.starts_with("Lumetta can open at login only from an Applications folder")) {
      return std::string("elsewhere");
    }
    return words;
  };
  for (const char* settled : {"/Applications/Lumetta.app", "/Applications/Utilities/Lumetta.app",
                              "/Users/ada/Applications/Lumetta.app", "/applications/Lumetta.app"}) {
    EXPECT_EQ(registering(settled), "registered") << settled;
  }
  for (const char* translocated :
       {"/private/var/folders/x7/kq1/T/AppTranslocation/5C7A90E1-2B5D/d/Lumetta.app",
        "/private/var/folders/x7/kq1/T/AppTranslocation/5C7A90E1-2B5D/d/Applications/"
        "Lumetta.app"}) {
    EXPECT_EQ(registering(translocated), "translocated") << translocated;
  }
  for (const char* elsewhere : {"/Volumes/Lumetta/Lumetta.app", "/Users/ada/Downloads/Lumetta.app",
                                "/Users/ada/src/lumetta/build/mac/Lumetta.app",
                                "/Applications.old/Lumetta.app", "/Lumetta.app/Applications", ""}) {
    EXPECT_EQ(registering(elsewhere), "elsewhere") << elsewhere;
  }
}

TEST(SimLoginItem, TheFileIsCheckedLikeEveryOtherObject) {
  EXPECT_EQ(loadError(R"({"loginItem": {"status": "on"}})"),
            "d.json: $.loginItem.status: expected one of notRegistered, enabled, "
            "requiresApproval, notFound");
  EXPECT_EQ(loadError(R"({"loginItem": {"registerError": 3}})"),
            "d.json: $.loginItem.registerError: expected a string");
  EXPECT_EQ(loadError(R"({"timeline": [{"at": 1, "loginItem": "allow"}]})"),
            "d.json: $.timeline[0].loginItem: expected \"approve\", \"deny\" or an object");
  EXPECT_EQ(loadError(R"({"timeline": [{"at": 1, "loginItem": {"approve": true}}]})")
                .rfind("d.json: $.timeline[0].loginItem.approve: unknown key", 0),
            0u);
}

// What it holds once taken over, the contract tests check.
TEST(SimPasteboard, HoldsNoTextBeforeLumettaTookItOver) {
  auto platform = simulated("{}");
  EXPECT_FALSE(platform->platform().pasteboard.setString("too early"));
  EXPECT_EQ(platform->pasteboard().text(), std::nullopt);
}

TEST(SimWorkspace, OpensWhatParsesAsAURLAndRecordsEveryReveal) {
  const std::string settings =
      "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility";
  for (const std::string& url :
       {settings, std::string("https://example.com/a%20b?q=1#top"),
        std::string("file:///Applications/Lumetta.app"), std::string("mailto:someone@example.com"),
        std::string("http://[::1]:8080/"), std::string("http://user@[fe80::1]/")}) {
    EXPECT_TRUE(isAbsoluteURL(url)) << url;
  }
  for (const char* text : {"://host", "1http://host", "http//x", "http://host/%zz",
                           "http://host/%2", "http://host/\n", "http://ü.de", "ht tp://host",
                           "http://host/[x]", "http://[::1]]/", "http://[g::1]/", "http:[::1]"}) {
    EXPECT_FALSE(isAbsoluteURL(text)) << text;
  }

  auto platform = simulated("{}");
  Workspace& workspace = platform->platform().workspace;
  EXPECT_FALSE(workspace.openURL("not a url"));
  EXPECT_TRUE(workspace.openURL("https://example.com/"));
  workspace.activateFileViewerSelecting({"/Applications/Lumetta.app"});
  workspace.activateFileViewerSelecting({"/a", "/b c"});
  EXPECT_EQ(platform->workspace().openedURLs(), std::vector<std::string>{"https://example.com/"});
  EXPECT_EQ(platform->workspace().revealedPaths(),
            (std::vector<std::vector<std::string>>{{"/Applications/Lumetta.app"}, {"/a", "/b c"}}));
}

TEST(SimApplication, ActivatingLumettasProcessTellsTheApplicationsObservers) {
  auto platform = simulated(R"({
    "lumetta": {"pid": 900},
    "apps": [{"pid": 501, "name": "ChatGPT", "active": true, "ax": {"role": "AXApplication"}}],
    "timeline": [{"at": 1, "activate": 501}, {"at": 2, "activate": 900},
                 {"at": 3, "activate": 501}, {"at": 4, "activate": 900}]})");
  std::vector<double> heard;
  auto registration = platform->platform().application.notificationCenter().addObserver(
      WorkspaceNotification::applicationDidBecomeActive, [&](const Notification& notification) {
        EXPECT_FALSE(notification.application);
        heard.push_back(platform->clock().uptime().sinceOrigin().inSeconds());
      });
  platform->manualRunLoop().runUntil(atSecond(2));
  EXPECT_EQ(heard, std::vector<double>{2});
  EXPECT_FALSE(platform->workspace().runningApplications()[0].active);
  platform->manualRunLoop().runUntil(atSecond(4));
  EXPECT_EQ(heard, (std::vector<double>{2, 4}));
}

TEST(SimApplication, LoadsPngFilesWithinTheLimitAndNothingElse) {
  Folder folder("lumetta-sim-images");
  auto platform = simulated("{}");
  Application& application = platform->platform().application;
  writePng(folder.file("logo.png"), 48, 32);
  const std::optional<PlatformImage> logo = application.loadImage(folder.file("logo.png"));
  ASSERT_TRUE(logo);
  EXPECT_EQ(logo->size(), (Size{48, 32}));

  std::ofstream(folder.file("text.png")) << "not a picture at all, but long enough to read";
  {
    std::ifstream png(folder.file("logo.png"), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(png)), {});
    std::ofstream(folder.file("cut.png"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    // The header claims 100000 pixels across; nothing is decoded.
    bytes.replace(16, 4, std::string("\x00\x01\x86\xa0", 4));
    std::ofstream(folder.file("huge.png"), std::ios::binary) << bytes;
  }
  ASSERT_EQ(mkfifo(folder.file("fifo.png").c_str(), 0600), 0);
  for (const char* name : {"missing.png", "text.png", "cut.png", "huge.png", "fifo.png", ""}) {
    EXPECT_EQ(application.loadImage(folder.file(name)), std::nullopt) << name;
  }
}

TEST(SimApplicationInfo, ResourcesAreFilesOfTheFolderBesideTheDesktopFile) {
  Folder folder("lumetta-sim-resources");
  fs::create_directories(folder.path / "res" / "sub");
  std::ofstream(folder.file("res/Lumetta-Logo.png")) << "x";
  std::ofstream(folder.file("res/README")) << "x";
  std::ofstream(folder.file("secret.png")) << "x";
  std::ofstream(folder.file("desktop.json")) << R"({"lumetta": {"resources": "res"}})";
  sim::LoadResult result = sim::loadDesktopFile(folder.file("desktop.json"));
  ASSERT_TRUE(result.hasValue());
  sim::SimPlatform platform(std::move(result).value(), sim::TimeSource::manual);
  ApplicationInfo& info = platform.platform().applicationInfo;
  EXPECT_EQ(info.resourcePath("Lumetta-Logo", "png"), folder.file("res/Lumetta-Logo.png"));
  EXPECT_EQ(info.resourcePath("README", ""), folder.file("res/README"));
  for (auto [name, extension] : {std::pair{"Lumetta-Logo", "jpg"},
                                 {"../secret", "png"},
                                 {"sub", ""},
                                 {"..", ""},
                                 {"", "png"},
                                 {"res/README", ""}}) {
    EXPECT_EQ(info.resourcePath(name, extension), std::nullopt) << name << "." << extension;
  }

  auto bare = simulated("{}");
  EXPECT_EQ(bare->platform().applicationInfo.resourcePath("Lumetta-Logo", "png"), std::nullopt);
}

TEST(SimApplicationInfo, TheDemoDesktopsLogoIsTheRepositorysPicture) {
  sim::SimPlatform demo(sim::demoDesktop(), sim::TimeSource::manual);
  const std::optional<std::string> logo =
      demo.platform().applicationInfo.resourcePath("Lumetta-Logo", "png");
  ASSERT_TRUE(logo);
  const std::optional<PlatformImage> image = demo.platform().application.loadImage(*logo);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (Size{512, 512}));
}

}  // namespace
}  // namespace lumetta
