// SPDX-License-Identifier: GPL-3.0-or-later
// Every rename operation described once, as data: a stable ASCII id, its
// caption, its settings as JSON both ways, and its run (its own checks and
// its new-name rule). The window's buttons, the preview steps, the presets
// and the tests all read these rows; the window adds only the reading and
// writing of each operation's controls (ui/operation_bindings.cpp).
//
// Settings travel between the rows and their users as std::any holding the
// operation's XxxSettings; a row's functions take and give only that type.
#pragma once

#include <QJsonObject>
#include <any>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pipeline/run_context.h"

namespace vantor {

// One field of an operation's settings as JSON.
struct SettingsField {
  enum class Type { kText, kFlag, kChoice };
  std::string key;                   // e.g. "pattern"
  Type type = Type::kText;           // text: a string (null: a text with no GBK form); flag: a boolean
  std::vector<std::string> choices;  // kChoice: the strings it takes, e.g. {"first", "last"}
};

struct OperationKind {
  const char* id = "";       // stable ASCII, e.g. "append_at_end"; presets store it
  const char* caption = "";  // UTF-8, as its group or button shows it, e.g. "最尾部加"
  // False for an operation that renames on disk even with preview on (it
  // offers no preview): such a run is never a preview step.
  bool previewStep = true;
  std::vector<SettingsField> fields;  // the JSON fields of its settings, in order
  std::any defaultSettings;           // XxxSettings{} (texts without a value)
  // The settings as a JSON object; every field is written.
  std::function<QJsonObject(const std::any& settings)> toJson;
  // The settings a JSON object describes; no value, with problem (UTF-8)
  // naming the field, when a field is missing or holds a value of the wrong
  // type or an unknown choice. Fields the operation does not know are ignored.
  std::function<std::any(const QJsonObject& json, std::string& problem)> fromJson;
  // The operation's run: its own checks in its own order, the guards, then
  // the rename course (one preview step when context.step is set). Returns
  // a text for the operation's box to show afterwards (change extension), or
  // no value.
  std::function<std::optional<ByteText>(const RunContext& context, const std::any& settings)> run;
};

// Every operation, in the order of the window's tabs.
const std::vector<OperationKind>& OperationTable();

// The row with this id; nullptr when there is none.
// FindOperation("regex_replace")->caption == "正则替换"; FindOperation("nope") == nullptr.
const OperationKind* FindOperation(std::string_view id);

}  // namespace vantor
