#include "operations/symbol_after_number.h"

#include "pipeline/guards.h"
#include "pipeline/rename_run.h"
#include "platform/code_page.h"

namespace vantor {

namespace {
constexpr int kLastNumberStart = 14;  // the number must start at byte 1..14
}

std::optional<ByteText> NewNameOfSymbolAfterNumber(const ByteText& stem, const SymbolAfterNumberSettings& settings) {
  const ByteText number = FirstDigitRun(stem);
  if (number.empty()) return std::nullopt;
  const int position = FindText(stem, number);
  if (position < 0 || position > kLastNumberStart) return std::nullopt;
  ByteText changed = ReplaceText(stem, number, number + settings.insertText, 1, 1, true);
  if (changed == stem) return std::nullopt;
  return changed;
}

void RunSymbolAfterNumber(EntryList& list, Prompter& prompter, const IntakeSettings& intake,
                          const SymbolAfterNumberSettings& settings) {
  if (!CheckEntryDirectoryPresent(prompter, list)) return;
  if (settings.insertText.empty()) {
    prompter.Inform(Gbk("加什么？不能为空"), DefaultMessageTitle(), MessageIcon::kInformation);
    return;
  }
  if (!CheckEntryDirectoryUsable(prompter, list)) return;
  RunRename(list, prompter, intake, {}, [&settings](const ByteText& stem, int) {
    return NewNameOfSymbolAfterNumber(stem, settings);
  });
}

}  // namespace vantor
