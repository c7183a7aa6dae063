// SPDX-License-Identifier: GPL-3.0-or-later
// The disk phase of a long run (renames, deletions, creations), or another
// long part of it that only reads (the computing of new names, a folder
// read): how far it got, whether the user asked it to stop, and who runs it.
// The window runs it on a worker thread under a progress dialog; everything
// else runs it inline.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <vector>

#include "pipeline/run_context.h"

namespace vantor {

// Shared between the thread that runs the work and the one that shows it:
// the work reads StopRequested() between two entries and tells Reached().
// Work that cannot stop midway (a folder read, the computing of new names)
// says so, and a runner then offers no Cancel for it.
class LongWork {
 public:
  // A total for work whose size is not known beforehand (a folder read).
  static constexpr int kUnknownTotal = -1;

  LongWork(int total, RunProgress* progress, bool stoppable = true)
      : total_(total), progress_(progress), stoppable_(stoppable) {}

  int Total() const { return total_.load(std::memory_order_relaxed); }
  // For work that learns its size once it has started (a plan made in the
  // phase itself); a runner's display follows.
  void SetTotal(int total) { total_.store(total, std::memory_order_relaxed); }
  bool Stoppable() const { return stoppable_; }
  bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }
  void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
  int Done() const { return done_.load(std::memory_order_relaxed); }

  // Told by the work: done entries of Total() are worked through. The progress
  // display hears it at once unless a runner shows it from its own thread.
  void Reached(int done) {
    done_.store(done, std::memory_order_relaxed);
    if (reportInline_ && progress_ != nullptr) progress_->Advanced(done);
  }

  // Told by work shared among threads: count more entries are worked through.
  void Advance(int count) {
    const int done = done_.fetch_add(count, std::memory_order_relaxed) + count;
    if (reportInline_ && progress_ != nullptr) progress_->Advanced(done);
  }
  // For a runner that runs the work on another thread: the display then hears
  // only ShowProgress(), called on the thread that owns it.
  void ReportFromRunner() { reportInline_ = false; }
  void ShowProgress() const {
    if (progress_ != nullptr) progress_->Advanced(Done());
  }

 private:
  std::atomic<int> total_;
  RunProgress* const progress_;
  const bool stoppable_;
  bool reportInline_ = true;
  std::atomic<bool> stop_{false};
  std::atomic<int> done_{0};
};

// A share of a work's total, for a phase made of parts of different cost
// (taking a result in, a folder read, a check): each part tells how far it
// got of its own size, and the work moves on by that fraction of the share,
// so that the bar moves evenly over the whole phase. A count past the size
// (a part that could only estimate it) holds at the end. Told on the thread
// that runs the work; without a work it reports nowhere.
// Example: std::vector<WorkPart> parts = WorkPart(&work, work.Total()).Split({13, 9});
// then parts[0].Reached(names, rows) while reading, parts[1] while checking.
class WorkPart {
 public:
  WorkPart() = default;
  WorkPart(LongWork* work, int share) : work_(work), share_(std::max(0, share)) {}

  // done of `of` entries of the part are worked through.
  void Reached(size_t done, size_t of) {
    if (work_ == nullptr || share_ == 0) return;
    const size_t part = of == 0 ? static_cast<size_t>(share_)
                                : static_cast<size_t>(share_) * std::min(done, of) / of;
    const int reached = static_cast<int>(part);
    if (reached > told_) {
      work_->Advance(reached - told_);
      told_ = reached;
    }
  }
  void Finish() { Reached(1, 1); }

  // What is left of the part, cut into parts in proportion to weights, their
  // shares adding up to it; the part itself is then told through them only
  // (its own Finish() adds nothing more).
  std::vector<WorkPart> Split(std::initializer_list<int> weights) {
    int sum = 0;
    for (const int weight : weights) sum += weight;
    std::vector<WorkPart> parts;
    long long before = 0;
    int given = 0;
    for (const int weight : weights) {
      before += weight;
      const int end = sum == 0 ? 0 : static_cast<int>(static_cast<long long>(share_ - told_) * before / sum);
      parts.emplace_back(work_, end - given);
      given = end;
    }
    share_ = told_;
    return parts;
  }

 private:
  LongWork* work_ = nullptr;
  int share_ = 0;
  int told_ = 0;
};

// Runs phase (whose stop is read from work) to its end through runner, or
// inline when runner is empty. Example: RunDiskPhase({}, work, [&] { ... }).
inline void RunDiskPhase(const DiskPhaseRunner& runner, LongWork& work, const std::function<void()>& phase) {
  if (runner) {
    runner(work, phase);
  } else {
    phase();
  }
}

}  // namespace vantor
