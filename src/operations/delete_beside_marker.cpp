// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/delete_beside_marker.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

std::optional<ByteText> NewNameOfDeleteBesideMarker(const ByteText& stem, const DeleteBesideMarkerSettings& settings) {
  const ByteText& marker = TextOrEmpty(settings.marker);
  const int position = FindOccurrence(stem, marker, settings.occurrence);
  if (position < 0) return std::nullopt;
  const size_t markerStart = static_cast<size_t>(position - 1);
  ByteText cut;
  if (settings.side == MarkerSide::kAfter) {
    cut = stem.substr(0, settings.removeMarker ? markerStart : markerStart + marker.size());
  } else {
    cut = stem.substr(settings.removeMarker ? markerStart + marker.size() : markerStart);
  }
  if (cut.empty() || cut == stem) return std::nullopt;
  return cut;
}

void RunDeleteBesideMarker(const RunContext& context, const DeleteBesideMarkerSettings& settings) {
  if (!RequireText(context.prompter, settings.marker, "去掉什么？不能为空")) return;
  if (!PassGuards(context.prompter, context.list)) return;
  RenameRunOptions options;
  options.applySkipExtension = settings.side == MarkerSide::kBefore;
  options.refuseEmptyList = true;
  options.summary.suffix = Gbk("个文件将被更名");
  options.summary.icon = MessageIcon::kInformation;
  RunPureRename(context, options, KeepingExtension([&settings](const ByteText& stem) {
              return NewNameOfDeleteBesideMarker(stem, settings);
            }));
}

}  // namespace vantor
