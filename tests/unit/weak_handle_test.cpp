// Weak handles: they find their object only while its factory lives and has
// not been invalidated, and a background job can ask whether to carry on.
#include "platform/weak_handle.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

namespace lumetta {
namespace {

struct Owner {
  WeakHandleFactory<Owner> weak{this};
};

TEST(WeakHandle, FindsItsObjectOnlyWhileTheFactoryLivesAndIsValid) {
  EXPECT_EQ(WeakHandle<Owner>().get(), nullptr);
  EXPECT_FALSE(WeakHandle<Owner>().maybeValid());

  std::optional<Owner> owner(std::in_place);
  const WeakHandle<Owner> handle = owner->weak.handle();
  const WeakHandle<Owner> copy = handle;
  EXPECT_EQ(copy.get(), &*owner);
  owner.reset();
  EXPECT_EQ(handle.get(), nullptr);
  EXPECT_FALSE(copy.maybeValid());

  Owner invalidated;
  const WeakHandle<Owner> before = invalidated.weak.handle();
  invalidated.weak.invalidate();
  EXPECT_EQ(before.get(), nullptr);
  EXPECT_EQ(invalidated.weak.handle().get(), nullptr) << "a handle made after invalidating";
}

TEST(WeakHandle, ThreadedJobsSeeTheOwnerGoAndReleaseTheirHandles) {
  auto owner = std::make_unique<Owner>();
  WeakHandle<Owner> handle = owner->weak.handle();
  std::atomic<bool> gone{false};
  std::thread job([handle = std::move(handle), &gone] {
    while (handle.maybeValid()) std::this_thread::yield();
    gone = true;
  });
  owner.reset();
  job.join();
  EXPECT_TRUE(gone);
}

#if LUMETTA_CHECKS
TEST(WeakHandleDeathTest, IsFollowedOnlyOnTheMainThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Owner owner;
  const WeakHandle<Owner> handle = owner.weak.handle();
  EXPECT_DEATH(std::thread([&] { handle.get(); }).join(), "get must run on the main thread");
}
#endif

}  // namespace
}  // namespace lumetta
