// The one way the controller runs work that may block on another process:
// a job on a serial queue whose result comes back to the main queue to be
// applied there, in the spirit of posting a task with a reply. The rules
// for applying it live here, checked in this order on the main thread:
//
//   1. nothing once the owner is gone (its weak handle finds nothing);
//   2. the busy flag that kept a second job of the kind from starting is
//      cleared (`release`), whatever follows;
//   3. nothing once the owner has stopped;
//   4. nothing unless the ticket is still current (a ticket without a
//      `current` check skips this rule);
//   5. the result is applied.
//
// The job itself runs on the queue's thread and may ask its `JobContext`
// whether to carry on. What the job captured dies on the queue's thread; its
// result and the reply die on the main thread, applied or not, so a result
// may hold what must be released there.
#pragma once

#include <functional>
#include <type_traits>
#include <utility>

#include "platform/run_loop.h"
#include "platform/weak_handle.h"

namespace lumetta {

// What a job was started under.
template <class Owner>
struct JobTicket {
  // Whether its result is still wanted (the activity token it was started
  // with is current); safe on any thread. Empty: always.
  std::function<bool()> current;
  // Clears the busy flag, given the owner.
  std::function<void(Owner&)> release;
};

// What a running job may ask, from its own thread; each answer is fresh.
template <class Owner>
class JobContext {
 public:
  JobContext(const WeakHandle<Owner>& owner, const JobTicket<Owner>& ticket)
      : owner_(owner), ticket_(ticket) {}
  // False once the owner is certainly gone.
  bool ownerAlive() const { return owner_.maybeValid(); }
  // False once the result can no longer be applied: the owner gone, or the
  // ticket no longer current.
  bool current() const { return ownerAlive() && (!ticket_.current || ticket_.current()); }

 private:
  const WeakHandle<Owner>& owner_;
  const JobTicket<Owner>& ticket_;
};

// Runs `job(context)` on `queue`, then `apply(owner, result)` on the main
// queue of `runLoop` under the rules above. `Owner` answers `isStopped()`.
template <class Owner, class Job, class Apply>
void runJob(SerialQueue& queue, RunLoop& runLoop, WeakHandle<Owner> owner, JobTicket<Owner> ticket,
            Job job, Apply apply) {
  queue.async([&runLoop, owner, ticket = std::move(ticket), job = std::move(job),
               apply = std::move(apply)]() mutable {
    auto result = job(JobContext<Owner>(owner, ticket));
    runLoop.post([owner, ticket = std::move(ticket), apply = std::move(apply),
                  result = std::move(result)]() mutable {
      Owner* self = owner.get();
      if (!self) return;
      if (ticket.release) ticket.release(*self);
      if (self->isStopped()) return;
      if (ticket.current && !ticket.current()) return;
      std::invoke(apply, *self, std::move(result));
    });
  });
}

}  // namespace lumetta
