// Random desktops against the controller: seeded sequences of what a user and
// the system do (moves, resizes, restacking, windows opening and closing,
// launches, quits and relaunches, mode switches and silent label changes,
// permission loss and return, sleep, display sleep, session switches, setting
// changes and colour picks), checking after every step what must always hold.
#include <gtest/gtest.h>

#include <algorithm>

#include <map>
#include <random>
#include <set>

#include "geometry/window_frame.h"
#include "platform/sim/services/icu_text_segmentation.h"
#include "support/controller_fixture.h"

namespace lumetta::testing {
namespace {

constexpr double kPrimaryTop = 982;

// What the generated timeline does to the desktop, kept alongside it.
struct DesktopState {
  struct Window {
    std::string id;
    Pid pid;
    std::int64_t number;
    ServerRect bounds;
    std::string mode;
  };
  std::vector<Window> windows;       // open windows of running applications
  std::vector<std::int64_t> stack;   // window numbers, front to back
  std::map<Pid, std::string> roots;  // the running applications' root ids
  bool trusted = true, asleep = false, dark = false, away = false;
  int launches = 0;
  std::int64_t nextNumber = 100;
  int nextId = 0;

  bool suspended() const { return asleep || dark || away; }
};

class ModelRun {
 public:
  explicit ModelRun(unsigned seed) : random_(seed) {}

  // The desktop: two ChatGPT windows and a Codex window, then the timeline.
  sim::DesktopModel desktop() {
    desktop_.wallStart("2026-12-01T09:00:00Z");
    for (Pid pid : {501, 612}) state_.roots[pid] = "root" + std::to_string(pid) + "-0";
    const DesktopState::Window chat = newWindow(501, "ChatGPT");
    const DesktopState::Window codex = newWindow(501, "Codex");
    const DesktopState::Window other = newWindow(612, "Codex");
    AppBuilder chatApp = app(desktop_.app(501), 501);
    addWindow(chatApp, chat);
    addWindow(chatApp, codex);
    addWindow(app(desktop_.app(612), 612), other);
    desktop_.model().windows = serverList();
    double at = 0.8;
    for (int step = 0; step < kSteps; ++step, at += kStepTime) {
      times_.push_back(at);
      if (step % 16 == 15) {
        restore(desktop_.at(at));
        at += kSettle;  // a quiet stretch after restoring
      } else {
        randomEvents(at);
      }
    }
    return desktop_.build();
  }

  const std::vector<double>& times() const { return times_; }
  const std::vector<DesktopState>& states() const { return states_; }

  static constexpr int kSteps = 64;
  static constexpr double kStepTime = 0.35;
  static constexpr double kSettle = 2.2;

 private:
  const DesktopState::Window& newWindow(Pid pid, const std::string& mode) {
    const std::string id = "w" + std::to_string(state_.nextId++);
    const std::int64_t number = state_.nextNumber++;
    std::uniform_int_distribution<int> x(0, 700), y(30, 400), size(200, 600);
    const ServerRect bounds{double(x(random_)), double(y(random_)), double(size(random_)),
                            double(size(random_))};
    state_.windows.push_back({id, pid, number, bounds, mode});
    state_.stack.insert(state_.stack.begin(), number);
    return state_.windows.back();
  }

  static void addWindow(ElementBuilder parent, const DesktopState::Window& w) {
    ElementBuilder window = parent.child("AXWindow", w.id);
    window.subrole("AXStandardWindow").frame(w.bounds).button(w.mode, w.id + "b");
    window.child("AXWebArea", w.id + "a");
  }

  AppBuilder app(AppBuilder made, Pid pid) {
    made.app().name = pid == 501 ? "ChatGPT" : "Codex";
    made.launched("2026-12-01T08:" + std::to_string(10 + state_.launches++) + ":00Z");
    made.id(state_.roots[pid]);
    return made;
  }

  RawArray serverList() const {
    RawArray list;
    for (std::int64_t number : state_.stack) {
      for (const auto& w : state_.windows) {
        if (w.number == number) list.push_back(serverWindow(number, w.pid, w.bounds));
      }
    }
    return list;
  }

  // The application's windows become its children; `added`, its newest, is new.
  void childrenOf(Moment moment, Pid pid, const DesktopState::Window* added = nullptr) {
    ElementBuilder children = moment.children(state_.roots.at(pid));
    for (const auto& w : state_.windows) {
      if (w.pid == pid && &w != added) children.ref(w.id);
    }
    if (added) addWindow(children, *added);
    moment.windows(serverList());
  }

  DesktopState::Window* pickWindow() {
    if (state_.windows.empty()) return nullptr;
    std::uniform_int_distribution<std::size_t> pick(0, state_.windows.size() - 1);
    return &state_.windows[pick(random_)];
  }

  void restore(Moment moment) {
    state_.trusted = true;
    state_.asleep = state_.dark = state_.away = false;
    states_.push_back(state_);
    moment.trusted(true).power(sim::PowerAction::wake).power(sim::PowerAction::screensWake);
    moment.power(sim::PowerAction::sessionActive);
  }

  void closeAll(Pid pid) {
    for (const auto& w : state_.windows) {
      if (w.pid == pid) std::erase(state_.stack, w.number);
    }
    std::erase_if(state_.windows, [&](const auto& w) { return w.pid == pid; });
  }

  void randomEvents(double at) {
    std::uniform_int_distribution<int> kind(0, 11);
    Moment moment = desktop_.at(at);
    switch (kind(random_)) {
      case 0:
      case 1: {  // a move or a resize, announced
        DesktopState::Window* w = pickWindow();
        if (!w) break;
        std::uniform_int_distribution<int> delta(-60, 60);
        if (kind(random_) % 2) {
          w->bounds.x += delta(random_);
          w->bounds.y = std::max(0.0, w->bounds.y + delta(random_));
        } else {
          w->bounds.width = std::max(100.0, w->bounds.width + delta(random_));
        }
        moment.drag(w->number, w->id, w->bounds);
        break;
      }
      case 2: {  // restacking
        DesktopState::Window* w = pickWindow();
        if (!w) break;
        std::erase(state_.stack, w->number);
        state_.stack.insert(state_.stack.begin(), w->number);
        moment.raise(w->number);
        break;
      }
      case 3: {  // a window opens
        const Pid pid = std::uniform_int_distribution<int>(0, 1)(random_) ? 501 : 612;
        if (!state_.roots.contains(pid)) break;
        childrenOf(moment, pid, &newWindow(pid, kind(random_) % 2 ? "Codex" : "ChatGPT"));
        break;
      }
      case 4: {  // a window closes
        DesktopState::Window* w = pickWindow();
        if (!w) break;
        const Pid pid = w->pid;
        std::erase(state_.stack, w->number);
        std::erase_if(state_.windows, [&](const auto& o) { return o.id == w->id; });
        childrenOf(moment, pid);
        break;
      }
      case 5: {  // launch, quit or relaunch under the same pid
        const Pid pid = std::uniform_int_distribution<int>(0, 1)(random_) ? 501 : 612;
        const bool running = state_.roots.contains(pid);
        closeAll(pid);
        if (running && kind(random_) % 2) {
          state_.roots.erase(pid);
          moment.terminate(pid);
          break;
        }
        state_.roots[pid] = "root" + std::to_string(pid) + "-" + std::to_string(state_.launches);
        AppBuilder launched = app(moment.launch(pid), pid);
        addWindow(launched, newWindow(pid, "Codex"));
        moment.windows(serverList());
        break;
      }
      case 6:
      case 7: {  // a mode switch, announced or silent (a silent half-change is ambiguous)
        DesktopState::Window* w = pickWindow();
        if (!w) break;
        w->mode = w->mode == "Codex" ? "ChatGPT" : "Codex";
        if (kind(random_) % 2) {
          moment.label(w->id + "b", w->mode, true);
        } else {
          moment.set(w->id + "b", "AXDescription", textValue(modeLabel(w->mode)));
        }
        break;
      }
      case 8:
        state_.trusted = !state_.trusted;
        moment.trusted(state_.trusted);
        break;
      case 9:
        state_.asleep = !state_.asleep;
        moment.power(state_.asleep ? sim::PowerAction::sleep : sim::PowerAction::wake);
        break;
      case 10:
        state_.dark = !state_.dark;
        moment.power(state_.dark ? sim::PowerAction::screensSleep : sim::PowerAction::screensWake);
        break;
      default:
        state_.away = !state_.away;
        moment.power(state_.away ? sim::PowerAction::sessionResign
                                 : sim::PowerAction::sessionActive);
        break;
    }
    states_.push_back(state_);
  }

  std::mt19937 random_;
  DesktopBuilder desktop_;
  DesktopState state_;
  std::vector<double> times_;
  std::vector<DesktopState> states_;  // after each step
};

class ModelBased : public ControllerTest, public ::testing::WithParamInterface<unsigned> {
 protected:
  // What the user does between the desktop's events: settings and colour picks.
  void userActs(std::mt19937& random) {
    std::uniform_int_distribution<int> act(0, 9);
    const int what = act(random);
    // Acts 0 and 2 are on the Codex mode's appearance, 1 and 3 on ChatGPT's.
    const WindowMode mode = what % 2 ? WindowMode::chatGPT : WindowMode::codex;
    const ModeAppearance& appearance = controller->appearance(mode);
    switch (what) {
      case 0:
      case 1: controller->setAppearance(mode, &ModeAppearance::enabled, !appearance.enabled); break;
      case 2:
      case 3:
        controller->setAppearance(
            mode, &ModeAppearance::style,
            appearance.style == OverlayStyle::topBar ? OverlayStyle::border : OverlayStyle::topBar);
        break;
      case 4:
        controller->setAppearance(WindowMode::codex, &ModeAppearance::strength,
                                  0.1 + 0.01 * act(random));
        break;
      case 5:
        controller->chooseColor(act(random) % 2 ? WindowMode::chatGPT : WindowMode::codex);
        platform->colorPanel().pick(Color{0.1 * act(random), 0.5, 0.2, 1});
        break;
      default: break;
    }
  }

  void checkInvariants(const DesktopState& model, bool settled) {
    std::vector<std::int64_t> now = ids();
    for (std::int64_t id : now) {
      EXPECT_FALSE(removed_.contains(id)) << "id " << id << " came back";
    }
    EXPECT_TRUE(std::is_sorted(now.begin(), now.end()));
    for (std::int64_t id : seen_) {
      if (std::find(now.begin(), now.end(), id) == now.end()) removed_.insert(id);
    }
    seen_.insert(now.begin(), now.end());

    const std::vector<Pid> tracked = controller->trackedProcesses();
    for (Pid pid : {501, 612}) {
      if (controller->hasObserver(pid)) {
        EXPECT_NE(std::find(tracked.begin(), tracked.end(), pid), tracked.end());
      }
    }

    std::set<sim::SimPanel*> entryPanels;
    std::set<std::int64_t> mappedShown;
    const auto servers = visibleServerWindows(platform->windowServer());
    for (const auto& e : controller->entries()) {
      if (!e->panel) continue;
      auto* panel = static_cast<sim::SimPanel*>(&e->panel->window());
      entryPanels.insert(panel);
      if (!panel->isVisible()) continue;
      EXPECT_FALSE(model.suspended()) << "a panel shown while suspended";
      EXPECT_TRUE(model.trusted) << "a panel shown without the permission";
      const WindowMode mode = e->cache.effective();
      EXPECT_TRUE(
          (mode == WindowMode::codex && controller->appearance(WindowMode::codex).enabled) ||
          (mode == WindowMode::chatGPT && controller->appearance(WindowMode::chatGPT).enabled))
          << "window " << e->id << " shown in mode " << rawValue(mode);
      ASSERT_TRUE(e->serverID.has_value());
      EXPECT_TRUE(mappedShown.insert(*e->serverID).second) << "two panels on one window";
      auto server = std::find_if(servers.begin(), servers.end(),
                                 [&](const ServerWindow& s) { return s.id == *e->serverID; });
      ASSERT_NE(server, servers.end()) << "window " << e->id << " shown but not on screen";
      EXPECT_EQ(panel->frame(), appKitRect(server->bounds, kPrimaryTop)) << "window " << e->id;
    }
    for (sim::SimPanel* panel : platform->panels().visiblePanels()) {
      EXPECT_TRUE(entryPanels.contains(panel)) << "a panel without its entry";
    }
    EXPECT_LE(segmentation_.characterCount(controller->events()), kEventLogLimit);

    // With both modes off the census starts no job, so what it reconciles may be stale.
    if (settled && controller->anyEnabled()) {
      for (Pid pid : tracked) {
        const auto* subscriptions = controller->subscriptions(pid);
        ASSERT_NE(subscriptions, nullptr);
        std::vector<Subscription> desired;
        auto want = [&](const Element& element, std::initializer_list<AXNotification> names) {
          for (AXNotification name : names) desired.push_back({element, name});
        };
        using enum AXNotification;
        want(platform->accessibility().applicationElement(pid),
             {windowCreated, focusedWindowChanged, mainWindowChanged, focusedUIElementChanged,
              applicationActivated, applicationDeactivated});
        for (const auto& e : controller->entries()) {
          if (e->pid != pid) continue;
          want(e->window, {moved, resized, uiElementDestroyed, windowMiniaturized,
                           windowDeminiaturized, layoutChanged});
          for (const auto* list : {&e->buttons, &e->areas}) {
            for (const Element& element : *list) {
              want(element,
                   {titleChanged, valueChanged, layoutChanged, loadComplete, uiElementDestroyed});
            }
          }
        }
        // Registrations have no order.
        EXPECT_TRUE(std::is_permutation(subscriptions->begin(), subscriptions->end(),
                                        desired.begin(), desired.end()))
            << "pid " << pid << ": " << subscriptions->size() << " registered, " << desired.size()
            << " wanted";
      }
    }
  }

  sim::IcuTextSegmentation segmentation_;
  std::set<std::int64_t> seen_, removed_;
};

TEST_P(ModelBased, RandomDesktopHistoriesKeepEveryInvariant) {
  ModelRun run(GetParam());
  start(run.desktop());
  std::mt19937 user(GetParam() * 7 + 1);
  int observedBefore = 0;
  for (std::size_t step = 0; step < run.times().size(); ++step) {
    const bool settled = step % 16 == 15;
    runUntil(run.times()[step] + (settled ? ModelRun::kSettle : 0.1));
    checkInvariants(run.states()[step], settled);
    if (::testing::Test::HasFailure()) {
      ADD_FAILURE() << "seed " << GetParam() << ", step " << step << "\n" << controller->events();
      return;
    }
    // Nothing a job found may be applied while the gate is closed: no scan result lands.
    const int observed = logged(": observed ");
    if (step > 0 && run.states()[step - 1].suspended() && run.states()[step].suspended()) {
      EXPECT_EQ(observed, observedBefore) << "a scan applied while suspended";
    }
    observedBefore = observed;
    if (!settled) userActs(user);
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelBased, ::testing::Range(0u, 16u));

}  // namespace
}  // namespace lumetta::testing
