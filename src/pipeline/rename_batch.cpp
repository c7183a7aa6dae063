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
#include <string>
#include <string_view>

#include "pipeline/long_work.h"
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
RenameProblem NameProblem(const ByteText& name, bool convert) {
  if (!IsPlainEntryName(name)) return RenameProblem::kInvalidName;
  if (!convert && name.size() * kMaxNativeBytesPerGbkByte <= kMaxNativeNameBytes) return RenameProblem::kNone;
  const std::optional<std::string> native = Utf8FromGbk(name);
  if (!native || native->size() > kMaxNativeNameBytes) return RenameProblem::kInvalidName;
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

// Steps filed by one of their names (old or new), in one open-addressed array:
// no allocation per step, so that a batch of 100,000 costs little beside the
// renames themselves.
class StepsByName {
 public:
  StepsByName(const std::vector<PlannedRename>& plan, ByteText PlannedRename::*name) : plan_(plan), name_(name) {
    size_t size = 16;
    while (size < plan.size() * 2) size <<= 1;
    slots_.assign(size, Slot{});
    mask_ = size - 1;
  }

  // The step filed under name, or kNoStep.
  int Find(std::string_view name) const {
    const size_t hash = std::hash<std::string_view>()(name);
    return slots_[SlotOf(name, hash)].step;
  }

  // Files step under its name and returns kNoStep, or returns the step filed
  // there before.
  int Add(int step) {
    const std::string_view name = plan_[step].*name_;
    const size_t hash = std::hash<std::string_view>()(name);
    Slot& slot = slots_[SlotOf(name, hash)];
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

  const std::vector<PlannedRename>& plan_;
  ByteText PlannedRename::*name_;
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

StepGraph Analyse(const std::vector<PlannedRename>& plan, const TextArray* folderNames, bool convert) {
  const size_t count = plan.size();
  StepGraph graph;
  graph.problems.assign(count, RenameProblem::kNone);
  graph.unchanged.assign(count, false);
  graph.blocker.assign(count, kNoStep);
  graph.waiter.assign(count, kNoStep);

  StepsByName stepWithNewName(plan, &PlannedRename::newName);
  StepsByName stepWithOldName(plan, &PlannedRename::oldName);
  for (size_t i = 0; i < count; ++i) {
    const PlannedRename& step = plan[i];
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
    // The same entry listed twice: the first row renames it.
    if (stepWithOldName.Add(index) != kNoStep) graph.problems[i] = RenameProblem::kFailed;
  }

  // Names that stay: those of unchanged rows, and names of the folder that no
  // step takes away.
  const auto taken = [&](const ByteText& name) {
    const int holder = stepWithNewName.Find(name);
    if (holder == kNoStep) return;
    RenameProblem& problem = graph.problems[holder];
    if (problem == RenameProblem::kNone) problem = RenameProblem::kNameTaken;
  };
  for (size_t i = 0; i < count; ++i) {
    if (graph.unchanged[i]) taken(plan[i].oldName);
  }
  if (folderNames != nullptr) {
    for (const ByteText& name : *folderNames) {
      if (stepWithOldName.Find(name) == kNoStep) taken(name);
    }
  }

  for (size_t i = 0; i < count; ++i) {
    if (graph.unchanged[i]) continue;
    const int source = stepWithOldName.Find(plan[i].newName);
    if (source == kNoStep) continue;
    graph.blocker[i] = source;
    if (graph.problems[i] == RenameProblem::kNone) graph.waiter[source] = static_cast<int>(i);
  }

  // A step refused leaves its entry where it is, so the step waiting for its
  // name cannot go either, nor the one waiting for that.
  for (size_t i = 0; i < count; ++i) {
    if (graph.problems[i] == RenameProblem::kNone) continue;
    for (int next = graph.waiter[i]; next != kNoStep && graph.problems[next] == RenameProblem::kNone;
         next = graph.waiter[next]) {
      graph.problems[next] = RenameProblem::kNameTaken;
    }
  }
  return graph;
}

// Works through the steps of one batch on disk.
class BatchRunner {
 public:
  BatchRunner(const ByteText& directory, const std::vector<PlannedRename>& plan,
              const std::function<void(int done)>& stepped, const LongWork* work, StepGraph& graph,
              BatchOutcome& outcome)
      : directory_(directory), plan_(plan), stepped_(stepped), work_(work), graph_(graph), outcome_(outcome) {}

  void Run() {
    const size_t count = plan_.size();
    std::vector<bool> visited(count, false);
    for (size_t i = 0; i < count; ++i) {
      if (graph_.unchanged[i]) {
        outcome_.done[i] = true;
        visited[i] = true;
        Worked();
      } else if (graph_.problems[i] != RenameProblem::kNone) {
        visited[i] = true;
        Worked();
      }
    }
    // Chains, each from the step whose new name no step of the batch holds.
    for (size_t i = 0; i < count; ++i) {
      if (visited[i] || graph_.blocker[i] != kNoStep) continue;
      bool blocked = false;
      bool stopped = false;
      for (int step = static_cast<int>(i); step != kNoStep; step = graph_.waiter[step]) {
        visited[step] = true;
        stopped = stopped || (!blocked && StopRequested());
        if (stopped) {
          graph_.problems[step] = RenameProblem::kNotReached;
          continue;
        }
        if (blocked) {
          graph_.problems[step] = RenameProblem::kNameTaken;
        } else {
          blocked = !Rename(step, plan_[step].oldName, plan_[step].newName);
        }
        Worked();
      }
    }
    // What is left are cycles.
    std::vector<int> cycle;
    for (size_t i = 0; i < count; ++i) {
      if (visited[i]) continue;
      cycle.clear();
      for (int step = static_cast<int>(i); step != kNoStep && !visited[step]; step = graph_.waiter[step]) {
        visited[step] = true;
        cycle.push_back(step);
      }
      if (StopRequested()) {
        for (int step : cycle) graph_.problems[step] = RenameProblem::kNotReached;
        continue;
      }
      RunCycle(cycle);
    }
  }

 private:
  bool Rename(int step, const ByteText& from, const ByteText& to) {
    if (RenameEntry(directory_, from, to)) {
      outcome_.done[step] = true;
      graph_.problems[step] = RenameProblem::kNone;
      return true;
    }
    outcome_.done[step] = false;
    graph_.problems[step] = ProblemOfError(errno);
    return false;
  }

  // Moves the cycle's first entry to a free temporary name, runs the others
  // in order and brings the first to its new name. When a step fails (a name
  // without a native form included), the steps already taken are turned back,
  // so a cycle completes or leaves every name as it was.
  void RunCycle(const std::vector<int>& cycle) {
    const int first = cycle.front();
    if (!Park(plan_[first].oldName)) {
      graph_.problems[first] = ProblemOfError(errno);
      for (size_t k = 1; k < cycle.size(); ++k) graph_.problems[cycle[k]] = RenameProblem::kNameTaken;
      for (size_t k = 0; k < cycle.size(); ++k) Worked();
      return;
    }
    size_t moved = 1;
    while (moved < cycle.size() && Rename(cycle[moved], plan_[cycle[moved]].oldName, plan_[cycle[moved]].newName)) {
      ++moved;
      Worked();
    }
    if (moved == cycle.size() && Rename(first, temporary_, plan_[first].newName)) {
      Worked();
      return;
    }
    // Back, newest first: each old name is free again once the step after it
    // has been turned back.
    const RenameProblem cause = moved < cycle.size() ? graph_.problems[cycle[moved]] : graph_.problems[first];
    for (size_t k = moved; k-- > 1;) {
      const int step = cycle[k];
      RenameEntry(directory_, plan_[step].newName, plan_[step].oldName);
      outcome_.done[step] = false;
    }
    RenameEntry(directory_, temporary_, plan_[first].oldName);
    outcome_.done[first] = false;
    for (int step : cycle) graph_.problems[step] = RenameProblem::kNameTaken;
    graph_.problems[moved < cycle.size() ? cycle[moved] : first] = cause;
    for (size_t k = moved; k <= cycle.size(); ++k) Worked();
  }

  // Renames name to a temporary name of the folder that nothing holds; the
  // name of the previous cycle is free again and tried first.
  bool Park(const ByteText& name) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
      if (temporary_.empty()) temporary_ = ".vantor-swap-" + std::to_string(serial.fetch_add(1)) + ".tmp";
      if (RenameEntry(directory_, name, temporary_)) return true;
      if (errno != EEXIST) return false;
      temporary_.clear();
    }
    return false;
  }

  // Asked before a chain step or a whole cycle, never inside a cycle.
  bool StopRequested() const { return work_ != nullptr && work_->StopRequested(); }

  void Worked() {
    ++worked_;
    if (stepped_ && worked_ % kStepsBetweenReports == 0) stepped_(static_cast<int>(worked_));
  }

  const ByteText& directory_;
  const std::vector<PlannedRename>& plan_;
  const std::function<void(int done)>& stepped_;
  const LongWork* work_;
  StepGraph& graph_;
  BatchOutcome& outcome_;
  size_t worked_ = 0;
  ByteText temporary_;
};

}  // namespace

bool IsValidNewName(const ByteText& name) { return NameProblem(name, true) == RenameProblem::kNone; }

std::vector<RenameProblem> CheckRenamePlan(const std::vector<PlannedRename>& plan, const TextArray* folderNames) {
  return Analyse(plan, folderNames, true).problems;
}

BatchOutcome ApplyRenameBatch(const ByteText& directory, const std::vector<PlannedRename>& plan,
                              const std::function<void(int done)>& stepped, const LongWork* work) {
  BatchOutcome outcome;
  outcome.done.assign(plan.size(), false);
  if (stepped) stepped(0);
  StepGraph graph = Analyse(plan, nullptr, false);
  BatchRunner(directory, plan, stepped, work, graph, outcome).Run();
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

}  // namespace vantor
