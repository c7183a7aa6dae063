#include "operations/chinese_script.h"

#include <opencc/opencc.h>

#include <algorithm>

#include "entries/messages.h"
#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

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

bool HasDoubleByteCharacter(const ByteText& text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

}  // namespace

bool ChineseScriptAvailable(ChineseScript target) { return ConverterTo(target).Loaded(); }

std::optional<ByteText> NewNameOfChineseScript(const ByteText& name, ChineseScript target) {
  if (!HasDoubleByteCharacter(name)) return std::nullopt;
  const OpenccConverter& converter = ConverterTo(target);
  if (!converter.Loaded()) return std::nullopt;
  const std::optional<std::string> utf8 = Utf8FromGbk(name);
  if (!utf8) return std::nullopt;
  const std::optional<std::string> converted = converter.Convert(*utf8);
  if (!converted || *converted == *utf8) return std::nullopt;
  std::optional<ByteText> gbk = GbkFromUtf8(*converted);
  if (!gbk || *gbk == name) return std::nullopt;
  return gbk;
}

void RunChineseScript(const RunContext& context, const ChineseScriptSettings& settings) {
  if (!CheckEntryDirectoryPresent(context.prompter, context.list)) return;
  if (!CheckEntryDirectoryUsable(context.prompter, context.list, Gbk("什么都没有选择！"))) return;
  if (!ChineseScriptAvailable(settings.target)) {
    context.prompter.Inform(Gbk("找不到繁简转换的数据文件，无法转换"), messages::TitleHint(),
                            MessageIcon::kInformation);
    return;
  }
  RenameRunOptions options;
  options.refuseEmptyList = true;
  options.summary.suffix = Gbk("个文件被改名");
  RunRename(context, options, [target = settings.target](const RenameEntryView& entry) {
    return NewNameOfChineseScript(entry.name, target);
  });
}

}  // namespace vantor
