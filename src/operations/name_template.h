// SPDX-License-Identifier: GPL-3.0-or-later
// "按模板命名": every name made from a template with fields in braces: the
// name itself, its folder, a counter, times, a photo's camera and size, a
// song's tags and the name's pinyin. "{artist} - {title}" turns Track01.mp3
// tagged 周杰伦 / 晴天 into "周杰伦 - 晴天.mp3".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "pipeline/input_checks.h"
#include "pipeline/run_context.h"

namespace vantor {

struct NameTemplateSettings {
  InputText text;  // 编辑框_命名模板, e.g. "{n:3} {title}"
};

enum class TemplateField {
  kText,  // literal text
  kName, kExt, kParent, kCounter, kModified, kTaken,
  kCamera, kWidth, kHeight,
  kArtist, kAlbum, kTitle, kTrack, kYear, kGenre,
  kPinyin, kInitials,
};

struct TemplatePart {
  TemplateField field = TemplateField::kText;
  ByteText text;    // kText: the literal; kModified, kTaken: the Qt date-time format (GBK)
  int width = 0;    // kCounter, kTrack: at least this many digits (0: as they come)
  int start = 1;    // kCounter: the first number
  int step = 1;     // kCounter: the difference between two rows
  bool operator==(const TemplatePart&) const = default;
};

struct NameTemplate {
  std::vector<TemplatePart> parts;
  bool holdsExtension = false;  // {ext} is in it: the result is the whole name
  bool readsAudio = false;      // artist, album, title, track, year or genre
  bool readsPhoto = false;      // camera, width or height
};

// The refusal of a template: what is wrong (UTF-8) and the 1-based position
// of the character where it is (the brace opening the faulty field, or the
// stray brace), characters counted, not bytes.
struct TemplateProblem {
  std::string problem;
  int position = 0;
  bool operator==(const TemplateProblem&) const = default;
};

// Reads a template. Fields: {name} {ext} {parent} {n} {n:W} {n:W:S} {n:W:S:D}
// {mtime:FORMAT} {date:FORMAT} {camera} {width} {height} {artist} {album}
// {title} {track} {track:W} {year} {genre} {pinyin:name} {initials:name};
// "{{" and "}}" are literal braces. W is 1 to 20 digits wide; S and D are
// whole numbers (D may be negative). FORMAT is everything up to the closing
// brace, colons included. On a fault, problem is set and no value returned.
// ParseNameTemplate("{n:3}_{name}", p)->parts.size() == 3;
// ParseNameTemplate("a{nam}", p) == nullopt with p == {"不认识的字段“nam”", 2}.
std::optional<NameTemplate> ParseNameTemplate(const ByteText& text, TemplateProblem& problem);

// The message box text for a problem:
// "命名模板有误：" + problem + "（第N个字符）".
ByteText TemplateProblemText(const TemplateProblem& problem);

// A number with at least width digits, zeros in front; a width never cuts:
// PaddedNumber(7, 3) == "007", PaddedNumber(1234, 2) == "1234", PaddedNumber(-5, 3) == "-005".
ByteText PaddedNumber(long long number, int width);

// A tag's text made fit for a name: "/", NUL, control characters and
// \ : * ? " < > | become "_". SafeTagText("AC/DC: Live?") == "AC_DC_ Live_".
ByteText SafeTagText(const ByteText& text);

// Refuses a folder-less list and the root (guard 1, 2, 3 as every run), an
// empty template ("命名模板不能为空"), a faulty one (TemplateProblemText, title
// "提示"), then names every row. A row for which a field has no value keeps
// its name; their count follows the summary as "有" + k +
// "个文件缺少模板里的信息，没有改名" (in a preview step: as the step's note).
// Files' tags are read on all cores, each file once per preview step.
void RunNameTemplate(const RunContext& context, const NameTemplateSettings& settings);

}  // namespace vantor
