// SPDX-License-Identifier: GPL-3.0-or-later
// The name template and pinyin over long lists, as one preview step computes
// them. Targets (Release, this 2-core machine):
//   - a template without file fields over 100,000 rows: at most 300 ms;
//   - audio fields over 10,000 small tagged MP3 files, page cache dropped
//     for them first: at most 3 s, every file read exactly once;
//   - pinyin of 100,000 Chinese names: at most 500 ms.
//
//   name_fields_bench [rows] [songs]   (default 100000 10000)
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <string>

#include "entries/entry_list.h"
#include "operations/name_template.h"
#include "operations/pinyin_name.h"
#include "platform/code_page.h"
#include "support/scripted_prompter.h"
#include "support/tagged_audio.h"

namespace {

using namespace vantor;

double MillisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Counts the files each kind of field is read from.
class CountingFields : public FileFieldReader {
 public:
  AudioTags ReadAudioTags(const ByteText& path) const override {
    Count(path);
    return SystemFileFields().ReadAudioTags(path);
  }
  PhotoFields ReadPhotoFields(const ByteText& path) const override { return SystemFileFields().ReadPhotoFields(path); }
  std::optional<TakenTime> ReadTakenTime(const ByteText& path) const override {
    return SystemFileFields().ReadTakenTime(path);
  }
  std::optional<TakenTime> ReadModifiedTime(const ByteText& path) const override {
    return SystemFileFields().ReadModifiedTime(path);
  }
  int MostReadsOfOneFile() const {
    int most = 0;
    for (const auto& [path, reads] : reads_) most = std::max(most, reads);
    return most;
  }
  size_t FilesRead() const { return reads_.size(); }

 private:
  void Count(const ByteText& path) const {
    const std::lock_guard lock(mutex_);
    ++reads_[path];
  }
  mutable std::mutex mutex_;
  mutable std::map<ByteText, int> reads_;
};

// One preview step of the operation over the list; the number of names it changed.
template <typename Settings>
size_t RunAsStep(EntryList& list, void (*run)(const RunContext&, const Settings&), const Settings& settings,
                 const FileFieldReader* fields = nullptr) {
  testing::ScriptedPrompter prompter;
  bool silenced = true;
  PreviewStepIo io;
  io.state = std::make_shared<std::any>();
  RunContext context{list, prompter, IntakeSettings{}};
  context.step = &io;
  context.previewNoticeSilenced = &silenced;
  context.fileFields = fields;
  run(context, settings);
  return io.changes.size();
}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 100000;
  const long songs = argc > 2 ? std::atol(argv[2]) : 10000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("vantor-fields-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder / "专辑");
  const ByteText directory = GbkFromUtf8((folder / "专辑").string() + "/").value();
  int failures = 0;

  // A template of the name, its folder and a counter.
  EntryList names;
  names.SetEntryDirectory(directory);
  names.SetPreviewOn(true);
  for (long i = 0; i < rows; ++i) names.AppendRow("Track" + std::to_string(i) + ".mp3");
  size_t changed = 0;
  const double templateMs = MillisecondsOf(
      [&] { changed = RunAsStep(names, RunNameTemplate, NameTemplateSettings{Gbk("{n:6:1:1} {parent} - {name}")}); });
  std::printf("template without file fields: %ld rows, %zu named, %.1f ms (target 300)\n", rows, changed, templateMs);
  if (changed != static_cast<size_t>(rows)) ++failures;

  // Pinyin of Chinese names: two to eight common characters, a number and
  // an extension; every name different.
  const std::u16string common =
      u"的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处理府研质";
  EntryList chinese;
  chinese.SetEntryDirectory(directory);
  chinese.SetPreviewOn(true);
  std::mt19937 random(29);
  for (long i = 0; i < rows; ++i) {
    std::u16string name;
    const int length = 2 + static_cast<int>(random() % 7);
    for (int k = 0; k < length; ++k) name += common[random() % common.size()];
    name += u" " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u".mp3";
    chinese.AppendRow(GbkFromUtf16(name).value() + std::to_string(i));
  }
  const double pinyinColdMs = MillisecondsOf([&] {
    changed = RunAsStep(chinese, RunPinyinName, PinyinNameSettings{PinyinWay::kFull, PinyinSeparator::kNone, false});
  });
  const double pinyinMs = MillisecondsOf([&] {
    changed = RunAsStep(chinese, RunPinyinName, PinyinNameSettings{PinyinWay::kInitials, PinyinSeparator::kDash, true});
  });
  std::printf("pinyin: %ld names, %zu changed, %.1f ms first run in the program (ICU loaded), %.1f ms next (target 500)\n",
              rows, changed, pinyinColdMs, pinyinMs);
  if (changed != static_cast<size_t>(rows)) ++failures;

  // Audio fields over tagged MP3 files, none of them in the page cache.
  EntryList music;
  music.SetEntryDirectory(directory);
  music.SetPreviewOn(true);
  for (long i = 0; i < songs; ++i) {
    const testing::SongTags tags{"周杰伦", "叶惠美", "晴天 " + std::to_string(i), "流行", static_cast<unsigned>(i % 99 + 1), 2003};
    const std::string name = "Track" + std::to_string(i) + ".mp3";
    testing::WriteMp3((folder / "专辑" / name).string(), &tags);
    music.AppendRow(name);
  }
  ::sync();
  for (const auto& entry : std::filesystem::directory_iterator(folder / "专辑")) {
    const int fd = ::open(entry.path().c_str(), O_RDONLY);
    if (fd >= 0) {
      ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
      ::close(fd);
    }
  }
  const CountingFields counting;
  const double audioMs = MillisecondsOf([&] {
    changed = RunAsStep(music, RunNameTemplate, NameTemplateSettings{Gbk("{track:2} {artist} - {title}")}, &counting);
  });
  std::printf("audio fields: %ld songs, %zu named, %zu files read, at most %d reads of one file, %.1f ms (target 3000)\n",
              songs, changed, counting.FilesRead(), counting.MostReadsOfOneFile(), audioMs);
  if (changed != static_cast<size_t>(songs) || counting.MostReadsOfOneFile() != 1) ++failures;

  std::filesystem::remove_all(folder);
  return failures == 0 ? 0 : 1;
}
