// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/name_template.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <unordered_map>

#include "entries/paths.h"
#include "operations/photo_date_name.h"
#include "operations/pinyin_name.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"
#include "platform/file_fields.h"

namespace vantor {

namespace {

struct FieldName {
  const char* name;
  TemplateField field;
};

constexpr FieldName kFieldNames[] = {
    {"name", TemplateField::kName},       {"ext", TemplateField::kExt},         {"parent", TemplateField::kParent},
    {"n", TemplateField::kCounter},       {"mtime", TemplateField::kModified},  {"date", TemplateField::kTaken},
    {"camera", TemplateField::kCamera},   {"width", TemplateField::kWidth},     {"height", TemplateField::kHeight},
    {"artist", TemplateField::kArtist},   {"album", TemplateField::kAlbum},     {"title", TemplateField::kTitle},
    {"track", TemplateField::kTrack},     {"year", TemplateField::kYear},       {"genre", TemplateField::kGenre},
    {"pinyin", TemplateField::kPinyin},   {"initials", TemplateField::kInitials},
};

constexpr int kWidestNumber = 20;

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A width of 1 to kWidestNumber digits.
std::optional<int> WidthOf(std::string_view text) {
  if (!AllDigits(text) || text.size() > 2) return std::nullopt;
  const int width = std::stoi(std::string(text));
  if (width < 1 || width > kWidestNumber) return std::nullopt;
  return width;
}

// A whole number of at most nine digits, with an optional minus.
std::optional<int> WholeNumberOf(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string_view digits = negative ? text.substr(1) : text;
  if (!AllDigits(digits) || digits.size() > 9) return std::nullopt;
  const int value = std::stoi(std::string(digits));
  return negative ? -value : value;
}

std::vector<std::string_view> SplitAtColons(std::string_view text) {
  std::vector<std::string_view> pieces;
  size_t start = 0;
  for (;;) {
    const size_t colon = text.find(':', start);
    pieces.push_back(text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    if (colon == std::string_view::npos) return pieces;
    start = colon + 1;
  }
}

std::string Quoted(std::string_view name) {
  std::string quoted = "“";
  quoted += Utf8FromGbk(name).value_or(std::string(name));
  return quoted + "”";
}

// One field's text between its braces as a part; the problem (UTF-8) when it
// is not one.
std::optional<TemplatePart> FieldOf(std::string_view body, std::string& problem) {
  const size_t colon = body.find(':');
  const std::string_view name = body.substr(0, colon);
  const std::string_view argument = colon == std::string_view::npos ? std::string_view() : body.substr(colon + 1);
  const bool hasArgument = colon != std::string_view::npos;
  if (name.empty()) {
    problem = body.empty() ? "空的字段" : "字段没有名字";
    return std::nullopt;
  }
  TemplatePart part;
  bool known = false;
  for (const FieldName& candidate : kFieldNames) {
    if (name == candidate.name) {
      part.field = candidate.field;
      known = true;
    }
  }
  if (!known) {
    problem = "不认识的字段" + Quoted(name);
    return std::nullopt;
  }
  switch (part.field) {
    case TemplateField::kCounter: {
      if (!hasArgument) return part;
      const std::vector<std::string_view> pieces = SplitAtColons(argument);
      if (pieces.size() > 3) {
        problem = "“n”最多写成{n:位数:起始:步长}";
        return std::nullopt;
      }
      const std::optional<int> width = WidthOf(pieces[0]);
      if (!width) {
        problem = "“n”的位数不对（1到20）";
        return std::nullopt;
      }
      part.width = *width;
      if (pieces.size() > 1) {
        const std::optional<int> start = WholeNumberOf(pieces[1]);
        if (!start) {
          problem = "“n”的起始数不对";
          return std::nullopt;
        }
        part.start = *start;
      }
      if (pieces.size() > 2) {
        const std::optional<int> step = WholeNumberOf(pieces[2]);
        if (!step) {
          problem = "“n”的步长不对";
          return std::nullopt;
        }
        part.step = *step;
      }
      return part;
    }
    case TemplateField::kTrack: {
      if (!hasArgument) return part;
      const std::optional<int> width = WidthOf(argument);
      if (!width) {
        problem = "“track”的位数不对（1到20）";
        return std::nullopt;
      }
      part.width = *width;
      return part;
    }
    case TemplateField::kModified:
    case TemplateField::kTaken:
      if (argument.empty()) {
        problem = Quoted(name) + "缺少日期格式，例如{" + std::string(name) + ":yyyyMMdd}";
        return std::nullopt;
      }
      part.text = ByteText(argument);
      return part;
    case TemplateField::kPinyin:
    case TemplateField::kInitials:
      if (argument != "name") {
        problem = Quoted(name) + "只能写成{" + std::string(name) + ":name}";
        return std::nullopt;
      }
      return part;
    default:
      if (hasArgument) {
        problem = "字段" + Quoted(name) + "不带参数";
        return std::nullopt;
      }
      return part;
  }
}

// The 1-based character position of byte offset in text.
int CharacterPosition(const ByteText& text, size_t offset) {
  int position = 1;
  for (size_t i = 0; i < offset && i < text.size();) {
    const size_t width = CharWidthAt(text, i);
    i += width == 0 ? 1 : width;
    ++position;
  }
  return position;
}

void AppendLiteral(NameTemplate& parsed, std::string_view text) {
  if (text.empty()) return;
  if (parsed.parts.empty() || parsed.parts.back().field != TemplateField::kText) {
    parsed.parts.push_back(TemplatePart{});
  }
  parsed.parts.back().text.append(text);
}

}  // namespace

std::optional<NameTemplate> ParseNameTemplate(const ByteText& text, TemplateProblem& problem) {
  NameTemplate parsed;
  const auto refuse = [&](std::string what, size_t offset) -> std::optional<NameTemplate> {
    problem = {std::move(what), CharacterPosition(text, offset)};
    return std::nullopt;
  };
  size_t i = 0;
  while (i < text.size()) {
    const size_t width = std::max<size_t>(1, CharWidthAt(text, i));
    const char c = text[i];
    if (width > 1 || (c != '{' && c != '}')) {
      AppendLiteral(parsed, std::string_view(text).substr(i, width));
      i += width;
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == c) {  // "{{" or "}}"
      AppendLiteral(parsed, std::string_view(&text[i], 1));
      i += 2;
      continue;
    }
    if (c == '}') return refuse("多余的“}”", i);
    // The field runs to the next closing brace; an opening one on the way
    // leaves this one unclosed. A GBK trail byte may equal a brace's byte,
    // so the search steps character by character.
    size_t close = i + 1;
    while (close < text.size()) {
      const size_t step = std::max<size_t>(1, CharWidthAt(text, close));
      if (step == 1 && (text[close] == '}' || text[close] == '{')) break;
      close += step;
    }
    if (close >= text.size() || text[close] == '{') return refuse("“{”没有配对的“}”", i);
    std::string what;
    const std::optional<TemplatePart> part = FieldOf(std::string_view(text).substr(i + 1, close - i - 1), what);
    if (!part) return refuse(std::move(what), i);
    switch (part->field) {
      case TemplateField::kExt: parsed.holdsExtension = true; break;
      case TemplateField::kCamera:
      case TemplateField::kWidth:
      case TemplateField::kHeight: parsed.readsPhoto = true; break;
      case TemplateField::kArtist:
      case TemplateField::kAlbum:
      case TemplateField::kTitle:
      case TemplateField::kTrack:
      case TemplateField::kYear:
      case TemplateField::kGenre: parsed.readsAudio = true; break;
      default: break;
    }
    parsed.parts.push_back(*part);
    i = close + 1;
  }
  return parsed;
}

ByteText TemplateProblemText(const TemplateProblem& problem) {
  return Gbk("命名模板有误：") + GbkFromUtf8(problem.problem).value_or(ByteText()) + Gbk("（第") +
         ToText(problem.position) + Gbk("个字符）");
}

ByteText PaddedNumber(long long number, int width) {
  const bool negative = number < 0;
  std::string digits = std::to_string(negative ? -number : number);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<size_t>(width) - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

ByteText SafeTagText(const ByteText& text) {
  ByteText safe = text;
  for (size_t i = 0; i < safe.size();) {
    const size_t width = std::max<size_t>(1, CharWidthAt(safe, i));
    const auto byte = static_cast<unsigned char>(safe[i]);
    if (width == 1 && (byte < 0x20 || byte == 0x7F || std::strchr("\\/:*?\"<>|", byte) != nullptr)) safe[i] = '_';
    i += width;
  }
  return safe;
}

namespace {

// What the template reads from one file, each kind read once.
struct FileFacts {
  bool audioRead = false, photoRead = false, takenRead = false, modifiedRead = false;
  AudioTags audio;
  PhotoFields photo;
  std::optional<TakenTime> taken;
  std::optional<TakenTime> modified;
};

// The facts a preview step has read, by file name, so that tuning the
// template reads no file twice. Shared by the threads of a run.
class FileFactsStore {
 public:
  FileFacts Get(const FileFieldReader& reader, const ByteText& path, const ByteText& name, const NameTemplate& wanted,
                bool wantsTaken, bool wantsModified) {
    FileFacts facts;
    {
      const std::lock_guard lock(mutex_);
      const auto found = known_.find(name);
      if (found != known_.end()) facts = found->second;
    }
    bool read = false;
    if (wanted.readsAudio && !facts.audioRead) {
      facts.audio = reader.ReadAudioTags(path);
      facts.audioRead = read = true;
    }
    if (wanted.readsPhoto && !facts.photoRead) {
      facts.photo = reader.ReadPhotoFields(path);
      facts.photoRead = read = true;
    }
    if (wantsTaken && !facts.takenRead) {
      facts.taken = reader.ReadTakenTime(path);
      facts.takenRead = read = true;
    }
    if (wantsModified && !facts.modifiedRead) {
      facts.modified = reader.ReadModifiedTime(path);
      facts.modifiedRead = read = true;
    }
    if (read) {
      const std::lock_guard lock(mutex_);
      known_[name] = facts;
    }
    return facts;
  }

 private:
  std::mutex mutex_;
  std::unordered_map<ByteText, FileFacts> known_;
};

FileFactsStore& StoreOf(const RunContext& context, std::shared_ptr<FileFactsStore>& own) {
  if (context.step != nullptr && context.step->state) {
    std::any& state = *context.step->state;
    if (!state.has_value()) state = std::make_shared<FileFactsStore>();
    if (auto* shared = std::any_cast<std::shared_ptr<FileFactsStore>>(&state)) return **shared;
  }
  own = std::make_shared<FileFactsStore>();
  return *own;
}

std::optional<ByteText> TextValue(const std::optional<ByteText>& tag) {
  if (!tag || tag->empty()) return std::nullopt;
  return SafeTagText(*tag);
}

std::optional<ByteText> TimeValue(const std::optional<TakenTime>& time, const QString& format) {
  if (!time) return std::nullopt;
  std::optional<ByteText> text = FormatTakenTime(*time, format);
  if (!text || text->empty()) return std::nullopt;
  return text;
}

// The name of the folder the entries are in: "/home/me/歌/" -> "歌",
// "Season 1/" -> "Season 1".
ByteText ParentName(ByteText directory) {
  while (directory.size() > 1 && directory.back() == kPathSeparator) directory.pop_back();
  return NameOfPath(directory, true);
}

// Everything a run computes once: the formats as Qt reads them.
struct TemplateRun {
  const NameTemplate& parsed;
  std::vector<QString> formats;  // per part; empty for parts without one
  ByteText parent;
  bool wantsTaken = false;
  bool wantsModified = false;
};

// parent: the name of the entry's folder.
std::optional<ByteText> ValueOf(const TemplatePart& part, const QString& format, const ByteText& parent,
                                const RenameEntryView& entry, const FileFacts& facts) {
  switch (part.field) {
    case TemplateField::kText: return part.text;
    case TemplateField::kName: return entry.stem;
    case TemplateField::kExt:
      return entry.extension.empty() || entry.extension[0] != '.' ? entry.extension : entry.extension.substr(1);
    case TemplateField::kParent: return parent;
    case TemplateField::kCounter:
      return PaddedNumber(static_cast<long long>(part.start) + static_cast<long long>(entry.ordinal - 1) * part.step,
                          part.width);
    case TemplateField::kModified: return TimeValue(facts.modified, format);
    case TemplateField::kTaken: return TimeValue(facts.taken, format);
    case TemplateField::kCamera: return TextValue(facts.photo.camera);
    case TemplateField::kWidth:
      if (!facts.photo.width) return std::nullopt;
      return ToText(*facts.photo.width);
    case TemplateField::kHeight:
      if (!facts.photo.height) return std::nullopt;
      return ToText(*facts.photo.height);
    case TemplateField::kArtist: return TextValue(facts.audio.artist);
    case TemplateField::kAlbum: return TextValue(facts.audio.album);
    case TemplateField::kTitle: return TextValue(facts.audio.title);
    case TemplateField::kGenre: return TextValue(facts.audio.genre);
    case TemplateField::kTrack:
      if (!facts.audio.track) return std::nullopt;
      return PaddedNumber(*facts.audio.track, part.width);
    case TemplateField::kYear:
      if (!facts.audio.year) return std::nullopt;
      return ToText(*facts.audio.year);
    case TemplateField::kPinyin:
    case TemplateField::kInitials: {
      const PinyinStyle style{part.field == TemplateField::kPinyin ? PinyinWay::kFull : PinyinWay::kInitials, u"",
                              false};
      return PinyinOfText(entry.stem, style).value_or(entry.stem);
    }
  }
  return std::nullopt;
}

}  // namespace

void RunNameTemplate(const RunContext& context, const NameTemplateSettings& settings) {
  Prompter& prompter = context.prompter;
  if (!CheckEntryDirectoryPresent(prompter, context.list)) return;
  if (!RequireText(prompter, settings.text, "命名模板不能为空")) return;
  TemplateProblem problem;
  const std::optional<NameTemplate> parsed = ParseNameTemplate(*settings.text, problem);
  if (!parsed) {
    prompter.Inform(TemplateProblemText(problem), Gbk("提示"), MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(prompter, context.list)) return;

  TemplateRun run{*parsed, {}, ParentName(context.list.EntryDirectory())};
  for (const TemplatePart& part : parsed->parts) {
    run.formats.push_back(QString::fromStdString(Utf8FromGbk(part.text).value_or(std::string())));
    if (part.field == TemplateField::kTaken) run.wantsTaken = true;
    if (part.field == TemplateField::kModified) run.wantsModified = true;
  }
  const bool readsFiles = parsed->readsAudio || parsed->readsPhoto || run.wantsTaken || run.wantsModified;
  const FileFieldReader& reader = context.fileFields != nullptr ? *context.fileFields : SystemFileFields();
  std::shared_ptr<FileFactsStore> ownStore;
  FileFactsStore& store = StoreOf(context, ownStore);
  const ByteText directory = context.list.EntryDirectory();
  std::atomic<int> missing{0};

  const NewNameRule rule = [&](const RenameEntryView& entry) -> std::optional<ByteText> {
    FileFacts facts;
    if (readsFiles) {
      // The file on disk still has the row's column-0 name, whatever
      // earlier preview steps made of it, in the row's folder (a sub-folder
      // in a tree).
      const ByteText onDisk = context.list.FolderOfRow(entry.row) + context.list.Cell(entry.row, 0);
      facts = store.Get(reader, directory + onDisk, onDisk, *parsed, run.wantsTaken, run.wantsModified);
    }
    const ByteText& rowFolder = context.list.FolderOfRow(entry.row);
    const ByteText parent = rowFolder.empty() ? run.parent : ParentName(rowFolder);
    ByteText name;
    for (size_t i = 0; i < parsed->parts.size(); ++i) {
      const std::optional<ByteText> value = ValueOf(parsed->parts[i], run.formats[i], parent, entry, facts);
      if (!value) {
        missing.fetch_add(1, std::memory_order_relaxed);
        return std::nullopt;
      }
      name += *value;
    }
    if (!parsed->holdsExtension) name += entry.extension;
    return name;
  };
  const RenameRunResult result = RunPureRename(context, {}, rule);
  const int missed = missing.load();
  if (missed == 0 || result.cancelled || result.refused) return;
  const ByteText note = Gbk("有") + ToText(missed) + Gbk("个文件缺少模板里的信息，没有改名");
  if (context.step != nullptr) {
    context.step->note = note;
  } else if (!context.list.PreviewOn()) {
    prompter.Inform(note, Gbk("修改成果提示"), MessageIcon::kInformation);
  }
}

}  // namespace vantor
