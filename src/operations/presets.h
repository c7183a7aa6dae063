// SPDX-License-Identifier: GPL-3.0-or-later
// Saved preview steps ("步骤方案"): one JSON file per preset in
// $XDG_CONFIG_HOME/vantor-rename/presets (else ~/.config/vantor-rename/presets),
// named after the preset. A file is read whole or refused whole.
//
//   {"format": "vantor-rename-steps", "version": 1,
//    "steps": [{"operation": "sequence_numbers",
//               "settings": {"start": "1", "step": "1", "separator": "、"}}]}
#pragma once

#include <any>
#include <string>
#include <vector>

#include "operations/operation_table.h"

namespace vantor {

inline constexpr int kPresetFormatVersion = 1;
// A preset file larger than this is refused unread.
inline constexpr std::size_t kPresetMaxBytes = 1 << 20;

struct PresetStep {
  const OperationKind* kind = nullptr;
  std::any settings;
};

// The folder presets live in (native, UTF-8); not created here.
std::string PresetsFolder();

// The names of the saved presets (file names without ".json"), sorted.
std::vector<std::string> PresetNames();

// The file a preset of this name is saved in; empty when the name cannot be a
// file name (empty, "." or "..", a "/", longer than 200 bytes).
// PresetPath("photos") == PresetsFolder() + "/photos.json".
std::string PresetPath(const std::string& name);

// The preset's file content for these steps.
std::string PresetText(const std::vector<PresetStep>& steps);

// Writes the preset's file (replacing an older one whole), making the folders
// owner-only (0700) and the file 0600. False, with problem (UTF-8), when it
// cannot.
bool SavePreset(const std::string& path, const std::vector<PresetStep>& steps, std::string& problem);

// The steps of a preset text; none, with problem (UTF-8) naming the first
// fault, when the text is not a JSON object of this format and version, has
// no steps, names an operation that is unknown or that cannot be a preview
// step, or lacks a field or holds a bad value in a step's settings.
std::vector<PresetStep> ParsePreset(const std::string& text, std::string& problem);

// ParsePreset of the file at path; refused as well when it is not a regular
// file or is larger than kPresetMaxBytes.
std::vector<PresetStep> ReadPreset(const std::string& path, std::string& problem);

}  // namespace vantor
