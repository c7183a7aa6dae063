// SPDX-License-Identifier: GPL-3.0-or-later
// The window's side of the preview steps: the list 列表_预览步骤 and its
// buttons, the button runs that add or tune a step, the live recompute of
// the last step while its inputs are edited, and the presets.
#pragma once

#include <QObject>
#include <QTimer>
#include <any>
#include <functional>
#include <memory>
#include <thread>

#include "operations/preview_steps.h"
#include "ui/main_window_ui.h"
#include "ui/operation_bindings.h"

namespace vantor {

class WorkPart;

class PreviewStepsPanel : public QObject {
  Q_OBJECT

 public:
  // Lists from this many rows on are folded live on a worker thread.
  static constexpr int kWorkerRows = 5000;
  // The pause after the last edit before the step is computed again.
  static constexpr int kLivePauseMs = 120;

  struct Hooks {
    std::function<RunContext()> context;       // the window's context for a run of the moment
    std::function<void(const QString&)> note;  // a line for the status line; empty clears it
    std::function<void()> turnPreviewOn;
  };

  PreviewStepsPanel(const MainWindowUi& ui, EntryList& list, Prompter& prompter,
                    const std::vector<OperationBinding>& bindings, Hooks hooks, QObject* parent);
  ~PreviewStepsPanel() override;

  const PreviewSteps& Steps() const { return steps_; }

  // The binding's button with preview on: the run (with its checks and boxes)
  // becomes the next step, or retunes the last one when it is the same
  // operation. Nothing changes when the run refuses or is cancelled.
  void RunAsStep(const OperationBinding& binding);
  // An input of the binding changed: retunes the last step after a pause
  // when it is the binding's operation.
  void InputsEdited(const OperationBinding& binding);
  // Drops every step and empties the preview column.
  void ClearSteps();
  // Drops every step and leaves the preview column as it is (after a commit).
  void DropSteps();
  // Removes step index and folds the later ones again (column 0 is as the
  // steps last saw it: anything else drops them).
  void RemoveStep(size_t index);
  // Shows or hides the panel with the preview.
  void ShowWithPreview(bool previewOn);
  // Drops the steps when column 0 changed under them (a load, a sort, an
  // undo, a hand edit): they no longer describe the list. The preview column
  // stays as the list's own command left it.
  void FollowList();
  // The list changed somehow: FollowList once the current event is done.
  void ListTouched();

  void SavePresetAs(const QString& name);
  void ApplyPreset(const QString& name);
  void ReloadPresetNames();

  // Waits for a live recompute under way (tests and benchmarks).
  bool LiveBusy() const { return liveRunning_ || liveTimer_.isActive(); }

 private:
  struct LiveResult;
  // Runs fold (when given) through the context's runner, with progress, and
  // then, unless fold returned false, makes the column of steps there;
  // foldWeight is the fold's share of the progress beside the column's.
  PreviewColumn FoldOnRunner(const RunContext& context, int foldWeight, const std::function<bool(WorkPart&)>& fold,
                             const PreviewSteps& steps);
  // FoldOnRunner over the panel's steps, then writes the column in.
  void FoldAndShow(const RunContext& context, int foldWeight, const std::function<void(WorkPart&)>& fold);
  void ShowStepList();
  void StartLive();
  void LaunchLive(std::function<std::shared_ptr<LiveResult>()> task);
  void WorkerDone(std::shared_ptr<LiveResult> result, int generation);
  void ApplyLive(std::shared_ptr<LiveResult> result, int generation);
  void StopLive();
  void NoteRefusalOfRefold(size_t refused);
  void SaveClicked();

  const MainWindowUi& ui_;
  EntryList& list_;
  Prompter& prompter_;
  const std::vector<OperationBinding>& bindings_;
  Hooks hooks_;
  PreviewSteps steps_;
  bool noticeSilenced_ = false;  // "本次不再提示" ticked: until the program quits
  bool writingControls_ = false;
  bool inRun_ = false;  // a button's run is under way (its boxes spin the event loop)

  QTimer liveTimer_;
  const OperationBinding* liveBinding_ = nullptr;
  int liveGeneration_ = 0;
  bool liveRunning_ = false;
  std::function<std::shared_ptr<LiveResult>()> liveQueued_;
  std::thread liveWorker_;
  bool followQueued_ = false;
};

}  // namespace vantor
