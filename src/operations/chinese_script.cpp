// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/chinese_script.h"

#include <opencc/opencc.h>

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

#include "entries/messages.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"
#include "platform/thread_shares.h"

namespace vantor {

namespace {

const opencc_t kNoConverter = reinterpret_cast<opencc_t>(-1);

// One OpenCC instance, opened from a standard configuration name, which the
// library looks up in its own data folder.
class OpenccConverter {
 public:
  explicit OpenccConverter(const char* configuration) : handle_(opencc_open(configuration)) {}
  OpenccConverter(const OpenccConverter&) = delete;
  OpenccConverter& operator=(const OpenccConverter&) = delete;
  ~OpenccConverter() {
    if (Loaded()) opencc_close(handle_);
  }

  bool Loaded() const { return handle_ != kNoConverter && handle_ != nullptr; }

  // UTF-8 in, UTF-8 out; nullopt when OpenCC fails.
  std::optional<std::string> Convert(const std::string& utf8) const {
    char* converted = opencc_convert_utf8(handle_, utf8.data(), utf8.size());
    if (converted == nullptr) return std::nullopt;
    std::string result(converted);
    opencc_convert_utf8_free(converted);
    return result;
  }

 private:
  opencc_t handle_;
};

const OpenccConverter& ConverterTo(ChineseScript target) {
  if (target == ChineseScript::kSimplified) {
    static const OpenccConverter toSimplified(OPENCC_DEFAULT_CONFIG_TRAD_TO_SIMP);
    return toSimplified;
  }
  static const OpenccConverter toTraditional(OPENCC_DEFAULT_CONFIG_SIMP_TO_TRAD);
  return toTraditional;
}

bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

// A stretch of GBK text without ASCII converted through UTF-8; nullopt when it
// is not valid GBK, when OpenCC fails, or when the result has no GBK form.
std::optional<ByteText> ConvertStretch(const OpenccConverter& converter, const ByteText& stretch) {
  const std::optional<std::string> utf8 = Utf8FromGbk(stretch);
  if (!utf8) return std::nullopt;
  const std::optional<std::string> converted = converter.Convert(*utf8);
  if (!converted) return std::nullopt;
  return GbkFromUtf8(*converted);
}

// End of the stretch of non-ASCII characters that starts at pos. A double-byte
// character may have an ASCII trail byte, and a four-byte one has two, so the
// stretch ends only at an ASCII byte where a character starts (or at the end
// of the name).
std::size_t StretchEnd(const ByteText& name, std::size_t pos) {
  std::size_t end = pos;
  while (end < name.size() && !IsAscii(name[end])) {
    const std::size_t width = CharWidthAt(name, end);
    end += width == 0 ? 1 : width;
  }
  return std::min(end, name.size());
}

}  // namespace

bool ChineseScriptAvailable(ChineseScript target) { return ConverterTo(target).Loaded(); }

void ChineseScriptConverter::Prepare(const TextArray& names) {
  const OpenccConverter& converter = ConverterTo(target_);
  if (!converter.Loaded()) return;
  std::vector<std::pair<const ByteText*, std::optional<ByteText>*>> work;
  for (const ByteText& name : names) {
    for (std::size_t pos = 0; pos < name.size();) {
      if (IsAscii(name[pos])) {
        ++pos;
        continue;
      }
      const std::size_t end = StretchEnd(name, pos);
      // Elements of an unordered_map keep their address when it grows.
      auto [slot, added] = stretches_.try_emplace(name.substr(pos, end - pos));
      if (added) work.emplace_back(&slot->first, &slot->second);
      pos = end;
    }
  }
  constexpr std::size_t kStretchesPerWorker = 512;
  const std::size_t workers =
      std::clamp<std::size_t>(work.size() / kStretchesPerWorker, 1, std::max(1u, std::thread::hardware_concurrency()));
  const auto convertShare = [&work, &converter, workers](std::size_t first) {
    for (std::size_t i = first; i < work.size(); i += workers) *work[i].second = ConvertStretch(converter, *work[i].first);
  };
  RunShares(workers, convertShare);
}

std::optional<ByteText> ChineseScriptConverter::NewName(const ByteText& name) {
  const OpenccConverter& converter = ConverterTo(target_);
  if (!converter.Loaded()) return std::nullopt;
  ByteText result;
  result.reserve(name.size());
  for (std::size_t pos = 0; pos < name.size();) {
    if (IsAscii(name[pos])) {
      result += name[pos++];
      continue;
    }
    const std::size_t end = StretchEnd(name, pos);
    const ByteText stretch = name.substr(pos, end - pos);
    auto found = stretches_.find(stretch);
    if (found == stretches_.end()) found = stretches_.emplace(stretch, ConvertStretch(converter, stretch)).first;
    if (!found->second) return std::nullopt;
    result += *found->second;
    pos = end;
  }
  if (result == name) return std::nullopt;
  return result;
}

std::optional<ByteText> NewNameOfChineseScript(const ByteText& name, ChineseScript target) {
  return ChineseScriptConverter(target).NewName(name);
}

void RunChineseScript(const RunContext& context, const ChineseScriptSettings& settings) {
  if (!CheckEntryDirectoryPresent(context.prompter, context.list)) return;
  if (!CheckEntryDirectoryUsable(context.prompter, context.list, "什么都没有选择！")) return;
  if (!ChineseScriptAvailable(settings.target)) {
    context.prompter.Inform(Gbk("找不到繁简转换的数据文件，无法转换"), messages::TitleHint(),
                            MessageIcon::kInformation);
    return;
  }
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.summary.suffix = Gbk("个文件被改名");
  ChineseScriptConverter converter(settings.target);
  TextArray names;
  if (context.step != nullptr && context.step->input != nullptr) {
    names = *context.step->input;
  } else {
    context.list.CollectColumnTexts(names, 0);
  }
  converter.Prepare(names);
  RunRename(context, options, [&converter](const RenameEntryView& entry) { return converter.NewName(entry.name); });
}

}  // namespace vantor
