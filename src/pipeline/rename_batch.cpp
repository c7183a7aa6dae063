// SPDX-License-Identifier: GPL-3.0-or-later
// A batch is planned before anything changes. Each rename is a step from its
// old name to its new one; with the new names unique, a step waits for at most
// one other step (the one whose old name is its new name) and at most one step
// waits for it, so the batch falls apart into chains and cycles. Chains run
// from the step whose new name is free back to the start; a cycle first moves
// one entry to a temporary name. Every lookup is a hash lookup: the plan is
// linear in the batch.
#include "pipeline/rename_batch.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>

#include "pipeline/long_work.h"
#include "pipeline/rename_journal.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace vantor {

namespace {

constexpr size_t kStepsBetweenReports = 64;
constexpr size_t kMaxNativeNameBytes = 255;
// One GBK byte never becomes more than three bytes of UTF-8.
constexpr size_t kMaxNativeBytesPerGbkByte = 3;
constexpr int kNoStep = -1;
constexpr int kTemporaryNameAttempts = 1000;

// Checks a new name. Without `convert`, a name short enough that its native
// form cannot pass the length limit is not converted here: RenameEntry
// converts it anyway and refuses it when it has no native form.
RenameProblem NameProblem(std::string_view name, bool convert) {
  if (!IsPlainEntryName(name)) return RenameProblem::kInvalidName;
  if (!convert && name.size() * kMaxNativeBytesPerGbkByte <= kMaxNativeNameBytes) return RenameProblem::kNone;
  std::string native;
  if (NativeEntryName(name, native) != 0 || native.size() > kMaxNativeNameBytes) return RenameProblem::kInvalidName;
  return RenameProblem::kNone;
}

RenameProblem ProblemOfError(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
      return RenameProblem::kNameTaken;
    case EILSEQ:
    case ENAMETOOLONG:
      return RenameProblem::kInvalidName;
    default:
      return RenameProblem::kFailed;
  }
}

size_t HashOf(std::string_view name) { return std::hash<std::string_view>()(name); }

// The hashes of texts, each computed once.
template <typename Texts, typename Text>
std::vector<size_t> HashesOf(const Texts& texts, Text text) {
  std::vector<size_t> hashes;
  hashes.reserve(texts.size());
  for (const auto& item : texts) hashes.push_back(HashOf(text(item)));
  return hashes;
}

// How far ahead a loop over a table asks for the slot it will need: the
// tables of a large batch do not fit the processor's caches, and a lookup
// costs one memory access that the processor can fetch in advance.
constexpr size_t kPrefetchDistance = 16;

// Steps filed by one of their names (old or new), in one open-addressed array:
// no allocation per step, so that a batch of 100,000 costs little beside the
// renames themselves.
class StepsByName {
 public:
  StepsByName(const std::vector<RenameNames>& plan, std::string_view RenameNames::*name, const std::vector<size_t>& hashes)
      : plan_(plan), name_(name), hashes_(hashes) {
    size_t size = 16;
    while (size < plan.size() * 2) size <<= 1;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
  }

  // Asks for the memory of the slot a lookup by hash starts at.
  void Prefetch(size_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }

  // The step filed under name (whose hash is given), or kNoStep.
  int Find(std::string_view name, size_t hash) const { return slots_[SlotOf(name, hash)].step; }

  // Files step under its name and returns kNoStep, or returns the step filed
  // there before.
  int Add(int step) {
    const size_t hash = hashes_[step];
    Slot& slot = slots_[SlotOf(plan_[step].*name_, hash)];
    if (slot.step != kNoStep) return slot.step;
    slot = {static_cast<uint32_t>(hash), step};
    return kNoStep;
  }

 private:
  struct Slot {
    uint32_t hash = 0;  // the low half of the name's hash
    int step = kNoStep;
  };

  // The slot that holds name, or the empty slot where it would go.
  size_t SlotOf(std::string_view name, size_t hash) const {
    for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.step == kNoStep || (slot.hash == static_cast<uint32_t>(hash) && plan_[slot.step].*name_ == name)) {
        return i;
      }
    }
  }

  const std::vector<RenameNames>& plan_;
  std::string_view RenameNames::*name_;
  const std::vector<size_t>& hashes_;  // of each step's name
  std::vector<Slot> slots_;
  size_t mask_ = 0;
};

// The plan as steps: what is refused beforehand, and who waits for whom.
struct StepGraph {
  std::vector<RenameProblem> problems;
  std::vector<bool> unchanged;  // new name equals old name
  std::vector<int> blocker;     // the step whose old name is this step's new name
  std::vector<int> waiter;      // the unrefused step whose new name is this step's old name
};

// checked, when given, hears how far the analysis got, every few thousand
// steps or names: it walks the steps six times and the folder's names twice.
StepGraph Analyse(const std::vector<RenameNames>& plan, const TextArray* folderNames, bool convert,
                  const std::function<void(size_t done, size_t of)>& checked = {}) {
  const size_t count = plan.size();
  const size_t folderCount = folderNames != nullptr ? folderNames->size() : 0;
  const size_t walks = 6 * count + 2 * folderCount;
  size_t walked = 0;  // of walks, up to the loop under way
  constexpr size_t kBetweenReports = 4096;
  const auto tell = [&](size_t i) {
    if (checked && i % kBetweenReports == 0) checked(walked + i, walks);
  };
  const auto walkDone = [&](size_t length) {
    walked += length;
    if (checked) checked(walked, walks);
  };
  StepGraph graph;
  graph.problems.assign(count, RenameProblem::kNone);
  graph.unchanged.assign(count, false);
  graph.blocker.assign(count, kNoStep);
  graph.waiter.assign(count, kNoStep);

  const std::vector<size_t> newHashes = HashesOf(plan, [](const RenameNames& step) {
    return step.newName;
  });
  walkDone(count);
  const std::vector<size_t> oldHashes = HashesOf(plan, [](const RenameNames& step) {
    return step.oldName;
  });
  walkDone(count);
  StepsByName stepWithNewName(plan, &RenameNames::newName, newHashes);
  StepsByName stepWithOldName(plan, &RenameNames::oldName, oldHashes);
  for (size_t i = 0; i < count; ++i) {
    tell(i);
    if (i + kPrefetchDistance < count) {
      stepWithNewName.Prefetch(newHashes[i + kPrefetchDistance]);
      stepWithOldName.Prefetch(oldHashes[i + kPrefetchDistance]);
    }
    const RenameNames& step = plan[i];
    if (step.oldName == step.newName) {
      graph.unchanged[i] = true;
      continue;
    }
    const int index = static_cast<int>(i);
    graph.problems[i] = NameProblem(step.newName, convert);
    const int sameNew = stepWithNewName.Add(index);
    if (sameNew != kNoStep) {
      graph.problems[i] = RenameProblem::kDuplicateName;
      graph.problems[sameNew] = RenameProblem::kDuplicateName;
    }
    // The same entry listed twice: the first row renames it, unless both
    // would give it one name; then both are refused as sharing it.
    if (stepWithOldName.Add(index) != kNoStep && graph.problems[i] != RenameProblem::kDuplicateName) {
      graph.problems[i] = RenameProblem::kFailed;
    }
  }
  walkDone(count);

  // Names that stay: those of unchanged rows, and names of the folder that no
  // step takes away.
  const auto taken = [&](std::string_view name, size_t hash) {
    const int holder = stepWithNewName.Find(name, hash);
    if (holder == kNoStep) return;
    RenameProblem& problem = graph.problems[holder];
    if (problem == RenameProblem::kNone) problem = RenameProblem::kNameTaken;
  };
  for (size_t i = 0; i < count; ++i) {
    if (graph.unchanged[i]) taken(plan[i].oldName, oldHashes[i]);
  }
  walkDone(count);
  if (folderNames != nullptr) {
    const std::vector<size_t> folderHashes = HashesOf(*folderNames, [](const ByteText& name) -> const ByteText& {
      return name;
    });
    walkDone(folderCount);
    for (size_t i = 0; i < folderNames->size(); ++i) {
      tell(i);
      if (i + kPrefetchDistance < folderNames->size()) {
        stepWithOldName.Prefetch(folderHashes[i + kPrefetchDistance]);
        stepWithNewName.Prefetch(folderHashes[i + kPrefetchDistance]);
      }
      const ByteText& name = (*folderNames)[i];
      if (stepWithOldName.Find(name, folderHashes[i]) == kNoStep) taken(name, folderHashes[i]);
    }
    walkDone(folderCount);
  }

  for (size_t i = 0; i < count; ++i) {
    tell(i);
    if (i + kPrefetchDistance < count) stepWithOldName.Prefetch(newHashes[i + kPrefetchDistance]);
    if (graph.unchanged[i]) continue;
    const int source = stepWithOldName.Find(plan[i].newName, newHashes[i]);
    if (source == kNoStep) continue;
    graph.blocker[i] = source;
    if (graph.problems[i] == RenameProblem::kNone) graph.waiter[source] = static_cast<int>(i);
  }
  walkDone(count);

  // A step refused leaves its entry where it is, so the step waiting for its
  // name cannot go either, nor the one waiting for that.
  for (size_t i = 0; i < count; ++i) {
    tell(i);
    if (graph.problems[i] == RenameProblem::kNone) continue;
    for (int next = graph.waiter[i]; next != kNoStep && graph.problems[next] == RenameProblem::kNone;
         next = graph.waiter[next]) {
      graph.problems[next] = RenameProblem::kNameTaken;
    }
  }
  walkDone(count);
  return graph;
}

// The native forms of the old and new names of the steps, in the order the
// steps run. A long batch converts them on another thread while the renames
// go on: a conversion costs a small fraction of a rename, so the converter
// stays ahead and the renames wait for it only at the start.
class NativeStepNames {
 public:
  // A name that does not convert reads as this, with its errno.
  struct Name {
    const char* text = "";
    int error = 0;
  };

  // With renamer and identities, also notes the entry under each old name
  // (unless the plan names it) in identities, by plan index, before the
  // step's names read as ready.
  NativeStepNames(const std::vector<PlannedRename>& plan, const std::vector<int>& order,
                  const DirectoryRenamer* renamer = nullptr, std::vector<EntryIdentity>* identities = nullptr)
      : plan_(plan), order_(order), names_(order.size()), renamer_(renamer), identities_(identities) {
    size_t bytes = 0;
    for (int step : order) bytes += (plan[step].oldName.size() + plan[step].newName.size()) * kMaxNativeBytesPerGbkByte + 2;
    buffer_ = std::make_unique_for_overwrite<char[]>(bytes);
    if (order.size() >= kStepsWorthAThread) {
      try {
        converter_ = std::jthread([this](std::stop_token stop) { Convert(stop); });
        return;
      } catch (const std::system_error&) {
        // No thread to be had: convert here, before the first rename.
      }
    }
    Convert();
  }

  Name Old(size_t k) { return Wait(k).oldName; }
  Name New(size_t k) { return Wait(k).newName; }

 private:
  static constexpr size_t kStepsWorthAThread = 2048;
  static constexpr uint32_t kStepsBetweenSignals = 256;

  struct StepNames {
    Name oldName;
    Name newName;
  };

  const StepNames& Wait(size_t k) {
    for (uint32_t ready = ready_.load(std::memory_order_acquire); ready <= k;
         ready = ready_.load(std::memory_order_acquire)) {
      ready_.wait(ready, std::memory_order_acquire);
    }
    return names_[k];
  }

  Name Append(const ByteText& gbk) {
    const int error = NativeEntryName(gbk, scratch_);
    if (error != 0) return {"", error};
    char* text = buffer_.get() + used_;
    std::memcpy(text, scratch_.c_str(), scratch_.size() + 1);
    used_ += scratch_.size() + 1;
    return {text, 0};
  }

  void Convert(std::stop_token stop = {}) {
    for (size_t k = 0; k < order_.size(); ++k) {
      const PlannedRename& step = plan_[order_[k]];
      names_[k] = {Append(step.oldName), Append(step.newName)};
      if (identities_ != nullptr) {
        // The plan's identity first; the first entry of a cycle was read as
        // the batch was laid out.
        EntryIdentity& identity = (*identities_)[order_[k]];
        if (step.identity.Known()) identity = step.identity;
        if (!identity.Known() && names_[k].oldName.error == 0) identity = renamer_->IdentityOf(names_[k].oldName.text);
      }
      if ((k + 1) % kStepsBetweenSignals == 0 || k + 1 == order_.size()) {
        ready_.store(static_cast<uint32_t>(k + 1), std::memory_order_release);
        ready_.notify_one();
        if (stop.stop_requested()) return;
      }
    }
  }

  const std::vector<PlannedRename>& plan_;
  const std::vector<int>& order_;
  std::vector<StepNames> names_;
  std::unique_ptr<char[]> buffer_;  // every converted name, NUL-terminated
  size_t used_ = 0;
  std::string scratch_;
  const DirectoryRenamer* renamer_;
  std::vector<EntryIdentity>* identities_;
  std::atomic<uint32_t> ready_{0};  // names_[0, ready_) are converted
  std::jthread converter_;          // last: stopped and joined before the names go
};

int& MovesBeforeStop() {
  static int moves = -1;
  return moves;
}

// Works through the steps of one batch on disk: first lays out every move in
// the order it will be made, then journals them, then makes them.
class BatchRunner {
 public:
  BatchRunner(const ByteText& directory, const std::vector<PlannedRename>& plan,
              const std::function<void(int done)>& stepped, const LongWork* work, StepGraph& graph,
              BatchOutcome& outcome, const BatchSettings& settings)
      : plan_(plan),
        stepped_(stepped),
        work_(work),
        graph_(graph),
        outcome_(outcome),
        journal_(directory, settings.fileSystem),
        renamer_(directory, settings.fileSystem) {
    outcome_.identities.assign(plan.size(), EntryIdentity{});
    if (settings.folder.Known() && renamer_.Folder() != settings.folder) folderChanged_ = true;
  }

  // False when the folder is not the one planned for or the journal could
  // not be written; nothing changed then.
  bool Run() {
    if (folderChanged_) {
      outcome_.folderChanged = true;
      return false;
    }
    exchange_ = renamer_.CanExchange();
    Lay();
    if (!order_.empty()) {
      if (NeedsTemporary() && !ChooseTemporary()) {
        for (const Segment& cycle : cycles_) {
          for (size_t k = cycle.begin; k < cycle.end; ++k) graph_.problems[order_[k]] = RenameProblem::kFailed;
        }
        cycles_.clear();
      }
      // The names convert (and the entries are read) while the journal is
      // made and flushed.
      names_ = std::make_unique<NativeStepNames>(plan_, order_, &renamer_, &outcome_.identities);
      Journal();
      if (!journal_.Write()) return false;
    }
    stopAfter_ = MovesBeforeStop();
    stopped_ = stopAfter_ == 0;
    for (size_t i = 0; i < plan_.size(); ++i) {
      if (graph_.unchanged[i]) outcome_.done[i] = true;
      if (graph_.unchanged[i] || graph_.problems[i] != RenameProblem::kNone) Worked();
    }
    for (const Segment& chain : chains_) RunChain(chain);
    for (const Segment& cycle : cycles_) RunCycle(cycle);
    // A stop as by a kill, or an entry a turn-back could not bring home: the
    // journal stays for the recovery.
    if (stopped_ || stranded_) journal_.Abandon();
    return true;
  }

 private:
  // Steps order_[begin, end): a chain from the step whose new name is free
  // back to its start, or a cycle in the order its names move.
  struct Segment {
    size_t begin = 0;
    size_t end = 0;
    uint64_t device = 0;  // of the cycle's first entry
    uint64_t inode = 0;
  };

  void Lay() {
    const size_t count = plan_.size();
    std::vector<bool> visited(count, false);
    for (size_t i = 0; i < count; ++i) {
      visited[i] = graph_.unchanged[i] || graph_.problems[i] != RenameProblem::kNone;
    }
    for (size_t i = 0; i < count; ++i) {
      if (visited[i] || graph_.blocker[i] != kNoStep) continue;
      Segment chain{order_.size(), 0};
      for (int step = static_cast<int>(i); step != kNoStep; step = graph_.waiter[step]) {
        visited[step] = true;
        order_.push_back(step);
      }
      chain.end = order_.size();
      chains_.push_back(chain);
    }
    for (size_t i = 0; i < count; ++i) {
      if (visited[i]) continue;
      Segment cycle{order_.size(), 0};
      for (int step = static_cast<int>(i); step != kNoStep && !visited[step]; step = graph_.waiter[step]) {
        visited[step] = true;
        order_.push_back(step);
      }
      cycle.end = order_.size();
      const PlannedRename& firstStep = plan_[order_[cycle.begin]];
      EntryIdentity identity = firstStep.identity;
      std::string first;
      if (!identity.Known() && NativeEntryName(firstStep.oldName, first) == 0) identity = renamer_.IdentityOf(first.c_str());
      cycle.device = identity.device;
      cycle.inode = identity.inode;
      outcome_.identities[order_[cycle.begin]] = identity;
      cycles_.push_back(cycle);
    }
  }

  // A swap of two names is one exchange where the file system makes them;
  // any other cycle goes through a temporary name.
  bool ExchangedAtOnce(const Segment& cycle) const { return exchange_ && cycle.end - cycle.begin == 2; }

  bool NeedsTemporary() const {
    return std::any_of(cycles_.begin(), cycles_.end(), [this](const Segment& cycle) { return !ExchangedAtOnce(cycle); });
  }

  // A temporary name nothing in the folder holds; every cycle uses it in turn.
  bool ChooseTemporary() {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      temporary_ = ".vantor-swap-" + std::to_string(serial.fetch_add(1)) + ".tmp";
      if (!renamer_.IdentityOf(temporary_.c_str()).Known()) return true;
    }
    return false;
  }

  void Journal() {
    for (const Segment& chain : chains_) {
      for (size_t k = chain.begin; k < chain.end; ++k) {
        const PlannedRename& step = plan_[order_[k]];
        journal_.Add(JournalMove::kMove, step.oldName, step.newName);
      }
    }
    for (const Segment& cycle : cycles_) {
      const PlannedRename& first = plan_[order_[cycle.begin]];
      if (ExchangedAtOnce(cycle)) {
        journal_.Add(JournalMove::kExchange, first.oldName, first.newName, cycle.device, cycle.inode);
        continue;
      }
      journal_.Add(JournalMove::kPark, first.oldName, temporary_, cycle.device, cycle.inode);
      for (size_t k = cycle.begin + 1; k < cycle.end; ++k) {
        const PlannedRename& step = plan_[order_[k]];
        journal_.Add(JournalMove::kCycleMove, step.oldName, step.newName);
      }
      journal_.Add(JournalMove::kCycleMove, temporary_, first.newName);
    }
  }

  // Every move on disk goes through here, so that tests can stop the batch:
  // a rename of from to to, or with exchange the trade of their two names
  // (one move). A name that did not convert fails the move with its errno.
  bool Move(NativeStepNames::Name from, NativeStepNames::Name to, bool exchange = false) {
    if (stopped_) {
      errno = EINTR;
      return false;
    }
    if (from.error != 0 || to.error != 0) {
      errno = from.error == EINVAL || to.error == EINVAL ? EINVAL : EILSEQ;
      return false;
    }
    const bool moved = exchange ? renamer_.Exchange(from.text, to.text) : renamer_.Rename(from.text, to.text);
    const int error = errno;
    if (stopAfter_ > 0 && --stopAfter_ == 0) stopped_ = true;
    errno = error;
    return moved;
  }

  // True when the entry under from is the one noted for step (or none was).
  // The identity is noted with the step's names, so from must have been read
  // from names_ first.
  bool StillThere(int step, NativeStepNames::Name from) {
    const EntryIdentity& noted = outcome_.identities[step];
    if (!noted.Known() || from.error != 0 || stopped_) return true;
    const EntryIdentity now = renamer_.IdentityOf(from.text);
    return !now.Known() || now == noted;  // gone: the rename itself fails
  }

  bool Rename(int step, NativeStepNames::Name from, NativeStepNames::Name to) {
    if (!StillThere(step, from)) {
      outcome_.done[step] = false;
      graph_.problems[step] = RenameProblem::kReplaced;
      return false;
    }
    if (Move(from, to)) {
      outcome_.done[step] = true;
      graph_.problems[step] = RenameProblem::kNone;
      return true;
    }
    outcome_.done[step] = false;
    graph_.problems[step] = ProblemOfError(errno);
    return false;
  }

  void RunChain(const Segment& chain) {
    bool blocked = false;
    for (size_t k = chain.begin; k < chain.end; ++k) {
      const int step = order_[k];
      if (!blocked && StopRequested()) {
        graph_.problems[step] = RenameProblem::kNotReached;
      } else if (blocked) {
        graph_.problems[step] = RenameProblem::kNameTaken;
      } else {
        blocked = !Rename(step, names_->Old(k), names_->New(k));
      }
      Worked();
    }
  }

  // Moves the cycle's first entry to the temporary name, runs the others in
  // order and brings the first to its new name. When a step fails (a name
  // without a native form included), the steps already taken are turned back,
  // so a cycle completes or leaves every name as it was.
  void RunCycle(const Segment& segment) {
    const size_t length = segment.end - segment.begin;
    const auto step = [&](size_t j) { return order_[segment.begin + j]; };
    const auto oldName = [&](size_t j) { return names_->Old(segment.begin + j); };
    const auto newName = [&](size_t j) { return names_->New(segment.begin + j); };
    const NativeStepNames::Name temporary{temporary_.c_str(), 0};
    const int first = step(0);
    if (StopRequested()) {
      for (size_t j = 0; j < length; ++j) {
        graph_.problems[step(j)] = RenameProblem::kNotReached;
        Worked();
      }
      return;
    }
    if (ExchangedAtOnce(segment)) {
      RunSwap(first, step(1), oldName(0), oldName(1));
      Worked();
      Worked();
      return;
    }
    const bool replaced = !StillThere(first, oldName(0));
    if (replaced || !Move(oldName(0), temporary)) {
      graph_.problems[first] = replaced ? RenameProblem::kReplaced : ProblemOfError(errno);
      for (size_t j = 1; j < length; ++j) graph_.problems[step(j)] = RenameProblem::kNameTaken;
      for (size_t j = 0; j < length; ++j) Worked();
      return;
    }
    size_t moved = 1;
    while (moved < length && Rename(step(moved), oldName(moved), newName(moved))) {
      ++moved;
      Worked();
    }
    if (moved == length && Rename(first, temporary, newName(0))) {
      Worked();
      return;
    }
    // Back, newest first: each old name is free again once the step after it
    // has been turned back.
    // A move back that fails leaves its entry under its new name, which holds
    // the old name of the step before: from there on nothing can go back, and
    // each entry stays where it is, told as done when that is its new name.
    const RenameProblem cause = moved < length ? graph_.problems[step(moved)] : graph_.problems[first];
    for (size_t j = 0; j < length; ++j) graph_.problems[step(j)] = RenameProblem::kNameTaken;
    graph_.problems[moved < length ? step(moved) : first] = cause;
    for (size_t j = moved; j-- > 1;) {
      const bool back = Move(newName(j), oldName(j));
      outcome_.done[step(j)] = !back;
      if (!back) graph_.problems[step(j)] = RenameProblem::kNone;
    }
    outcome_.done[first] = false;
    if (!Move(temporary, oldName(0))) stranded_ = true;
    for (size_t j = moved; j <= length; ++j) Worked();
  }

  // Swaps the entries of steps first and second (under a and b) in one
  // exchange: both are done, or neither, the one that could not go told why
  // and the other kNameTaken.
  void RunSwap(int first, int second, NativeStepNames::Name a, NativeStepNames::Name b) {
    RenameProblem problem = RenameProblem::kNone;
    int refused = first;
    if (!StillThere(first, a)) {
      problem = RenameProblem::kReplaced;
    } else if (!StillThere(second, b)) {
      problem = RenameProblem::kReplaced;
      refused = second;
    } else if (!Move(a, b, /*exchange=*/true)) {
      problem = ProblemOfError(errno);
    }
    outcome_.done[first] = outcome_.done[second] = problem == RenameProblem::kNone;
    graph_.problems[first] = graph_.problems[second] = problem == RenameProblem::kNone ? problem : RenameProblem::kNameTaken;
    if (problem != RenameProblem::kNone) graph_.problems[refused] = problem;
  }

  // Asked before a chain step or a whole cycle, never inside a cycle.
  bool StopRequested() const { return work_ != nullptr && work_->StopRequested(); }

  void Worked() {
    ++worked_;
    if (stepped_ && worked_ % kStepsBetweenReports == 0) stepped_(static_cast<int>(worked_));
  }

  const std::vector<PlannedRename>& plan_;
  const std::function<void(int done)>& stepped_;
  const LongWork* work_;
  StepGraph& graph_;
  BatchOutcome& outcome_;
  std::vector<int> order_;
  std::vector<Segment> chains_;
  std::vector<Segment> cycles_;
  RenameJournal journal_;
  DirectoryRenamer renamer_;
  std::unique_ptr<NativeStepNames> names_;  // made before the journal is written
  size_t worked_ = 0;
  int stopAfter_ = -1;
  bool stopped_ = false;
  bool folderChanged_ = false;
  bool stranded_ = false;  // an entry left under the temporary name
  bool exchange_ = false;  // the folder's file system trades two names at once
  ByteText temporary_;
};

}  // namespace

std::vector<RenameNames> NamesOf(const std::vector<PlannedRename>& plan) {
  std::vector<RenameNames> names;
  names.reserve(plan.size());
  for (const PlannedRename& step : plan) names.push_back({step.oldName, step.newName});
  return names;
}

std::vector<RenameProblem> CheckRenameNames(const std::vector<RenameNames>& steps, const TextArray* folderNames,
                                            const std::function<void(size_t done, size_t of)>& checked) {
  return Analyse(steps, folderNames, true, checked).problems;
}

bool IsValidNewName(const ByteText& name) { return NameProblem(name, true) == RenameProblem::kNone; }

std::vector<RenameProblem> CheckRenamePlan(const std::vector<PlannedRename>& plan, const TextArray* folderNames) {
  return CheckRenameNames(NamesOf(plan), folderNames);
}

BatchOutcome ApplyRenameBatch(const ByteText& directory, const std::vector<PlannedRename>& plan,
                              const std::function<void(int done)>& stepped, const LongWork* work,
                              const BatchSettings& settings) {
  BatchOutcome outcome;
  outcome.done.assign(plan.size(), false);
  if (stepped) stepped(0);
  StepGraph graph = Analyse(NamesOf(plan), nullptr, false);
  if (!BatchRunner(directory, plan, stepped, work, graph, outcome, settings).Run()) {
    outcome.notStarted = true;
    outcome.problems.assign(plan.size(), RenameProblem::kFailed);
    return outcome;
  }
  outcome.problems = std::move(graph.problems);
  for (size_t i = 0; i < plan.size(); ++i) {
    if (outcome.done[i]) {
      outcome.renamed += graph.unchanged[i] ? 0 : 1;
    } else if (outcome.problems[i] == RenameProblem::kNotReached) {
      ++outcome.notReached;
    } else {
      ++outcome.failed;
    }
  }
  if (stepped) stepped(static_cast<int>(plan.size()));
  return outcome;
}

TextArray ReplacedNames(const std::vector<PlannedRename>& plan, const BatchOutcome& outcome) {
  TextArray names;
  for (size_t i = 0; i < plan.size() && i < outcome.problems.size(); ++i) {
    if (outcome.problems[i] == RenameProblem::kReplaced) names.push_back(plan[i].oldName);
  }
  return names;
}

void StopBatchesAfterMovesForTesting(int moves) { MovesBeforeStop() = moves; }

}  // namespace vantor
