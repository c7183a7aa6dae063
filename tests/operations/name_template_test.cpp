// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/name_template.h"

#include <gtest/gtest.h>

#include <map>

#include "pipeline/workbench.h"
#include "support/tagged_audio.h"

namespace vantor {
namespace {

using testing::Box;
using testing::G;
using testing::Workbench;

// A template's parts as one line: literals quoted, fields by name with their
// numbers or format.
std::string Described(const NameTemplate& parsed) {
  static const char* const names[] = {"",       "name",   "ext",   "parent", "n",     "mtime",
                                      "date",   "camera", "width", "height", "artist", "album",
                                      "title",  "track",  "year",  "genre",  "pinyin", "initials"};
  std::string line;
  for (const TemplatePart& part : parsed.parts) {
    if (!line.empty()) line += "|";
    if (part.field == TemplateField::kText) {
      line += "'" + Utf8ForDisplay(part.text) + "'";
      continue;
    }
    line += names[static_cast<int>(part.field)];
    if (part.field == TemplateField::kCounter) {
      line += "(" + std::to_string(part.width) + "," + std::to_string(part.start) + "," + std::to_string(part.step) + ")";
    } else if (part.field == TemplateField::kTrack && part.width > 0) {
      line += "(" + std::to_string(part.width) + ")";
    } else if (!part.text.empty()) {
      line += "[" + Utf8ForDisplay(part.text) + "]";
    }
  }
  return line;
}

TEST(ParseNameTemplate, ReadsEveryFieldWidthAndEscape) {
  struct Case {
    const char* text;
    const char* parts;
    bool ext, audio, photo;
  };
  const Case cases[] = {
      {"{name}.{ext}", "name|'.'|ext", true, false, false},
      {"{parent}_{name}", "parent|'_'|name", false, false, false},
      {"{n}{n:3}{n:2:10}{n:4:100:-5}", "n(0,1,1)|n(3,1,1)|n(2,10,1)|n(4,100,-5)", false, false, false},
      {"{mtime:yyyy-MM-dd HH:mm}", "mtime[yyyy-MM-dd HH:mm]", false, false, false},
      {"{date:yyyy年M月d日}", "date[yyyy年M月d日]", false, false, false},
      {"{camera} {width}x{height}", "camera|' '|width|'x'|height", false, false, true},
      {"{track:2}. {artist} - {title} ({album}, {year}, {genre}, {track})",
       "track(2)|'. '|artist|' - '|title|' ('|album|', '|year|', '|genre|', '|track|')'", false, true, false},
      {"{pinyin:name}-{initials:name}", "pinyin|'-'|initials", false, false, false},
      {"{{n}}歌{{", "'{n}歌{'", false, false, false},
      {"纯文字", "'纯文字'", false, false, false},
      // 倉 and 亄 end in the bytes of "}" and "{" in GBK: still no braces.
      {"{name}倉亄{n:2}", "name|'倉亄'|n(2,1,1)", false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TemplateProblem problem;
    const std::optional<NameTemplate> parsed = ParseNameTemplate(G(c.text), problem);
    ASSERT_TRUE(parsed.has_value()) << problem.problem;
    EXPECT_EQ(Described(*parsed), c.parts);
    EXPECT_EQ(parsed->holdsExtension, c.ext);
    EXPECT_EQ(parsed->readsAudio, c.audio);
    EXPECT_EQ(parsed->readsPhoto, c.photo);
  }
}

TEST(ParseNameTemplate, RefusesEachFaultAtTheBraceThatOpensIt) {
  struct Case {
    const char* text;
    const char* problem;
    int position;
  };
  const Case cases[] = {
      {"a{nam}", "不认识的字段“nam”", 2},
      {"歌曲{Title}", "不认识的字段“Title”", 3},
      {"歌曲{title", "“{”没有配对的“}”", 3},
      {"{a{name}", "“{”没有配对的“}”", 1},
      {"{name}x}", "多余的“}”", 8},
      {"{title倉", "“{”没有配对的“}”", 1},
      {"倉}", "多余的“}”", 2},
      {"第{n:0}", "“n”的位数不对（1到20）", 2},
      {"{n:x}", "“n”的位数不对（1到20）", 1},
      {"{n:21}", "“n”的位数不对（1到20）", 1},
      {"{n:}", "“n”的位数不对（1到20）", 1},
      {"{n:3:a}", "“n”的起始数不对", 1},
      {"{n:3:1:}", "“n”的步长不对", 1},
      {"{n:1:2:3:4}", "“n”最多写成{n:位数:起始:步长}", 1},
      {"{track:}", "“track”的位数不对（1到20）", 1},
      {"{}", "空的字段", 1},
      {"{:3}", "字段没有名字", 1},
      {"x{mtime}", "“mtime”缺少日期格式，例如{mtime:yyyyMMdd}", 2},
      {"{pinyin:title}", "“pinyin”只能写成{pinyin:name}", 1},
      {"{name:2}", "字段“name”不带参数", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TemplateProblem problem;
    EXPECT_FALSE(ParseNameTemplate(G(c.text), problem).has_value());
    EXPECT_EQ(problem, (TemplateProblem{c.problem, c.position}));
  }
  EXPECT_EQ(Utf8ForDisplay(TemplateProblemText({"不认识的字段“nam”", 2})), "命名模板有误：不认识的字段“nam”（第2个字符）");
}

TEST(PaddedNumberAndSafeTagText, PadWithoutCuttingAndReplaceWhatNamesCannotHold) {
  EXPECT_EQ(PaddedNumber(7, 3), "007");
  EXPECT_EQ(PaddedNumber(1234, 2), "1234");
  EXPECT_EQ(PaddedNumber(-5, 3), "-005");
  EXPECT_EQ(PaddedNumber(0, 0), "0");
  EXPECT_EQ(Utf8ForDisplay(SafeTagText(G("AC/DC: \"Live\" <1>|*?\\ 晴天\t"))), "AC_DC_ _Live_ _1_____ 晴天_");
}

// Tags as a test sets them, by file name.
class FakeFields : public FileFieldReader {
 public:
  std::map<std::string, AudioTags> audio;
  std::map<std::string, PhotoFields> photos;
  std::map<std::string, TakenTime> taken;
  mutable int reads = 0;

  AudioTags ReadAudioTags(const ByteText& path) const override { return Find(audio, path); }
  PhotoFields ReadPhotoFields(const ByteText& path) const override { return Find(photos, path); }
  std::optional<TakenTime> ReadTakenTime(const ByteText& path) const override {
    ++reads;
    const auto found = taken.find(NameOf(path));
    if (found == taken.end()) return std::nullopt;
    return found->second;
  }
  std::optional<TakenTime> ReadModifiedTime(const ByteText&) const override { return TakenTime{2020, 1, 2, 3, 4, 5}; }

 private:
  static std::string NameOf(const ByteText& path) { return Utf8ForDisplay(path.substr(path.rfind('/') + 1)); }
  template <typename T>
  T Find(const std::map<std::string, T>& known, const ByteText& path) const {
    ++reads;
    const auto found = known.find(NameOf(path));
    return found == known.end() ? T{} : found->second;
  }
};

// Runs the template as a preview step does (no preview notice) over the
// bench's rows, with tags from fields.
PreviewStepIo RunAsStep(Workbench& bench, const FileFieldReader& fields, const char* text) {
  PreviewStepIo io;
  io.state = std::make_shared<std::any>();
  bool silenced = true;
  RunContext context = bench.Context();
  context.step = &io;
  context.fileFields = &fields;
  context.previewNoticeSilenced = &silenced;
  RunNameTemplate(context, {G(text)});
  return io;
}

TEST(RunNameTemplate, FillsEveryFieldAndLeavesNamesWithoutAValue) {
  Workbench bench;
  bench.dir.MakeFolder("专辑 A");
  bench.Rows({"Track01.mp3", "晴天.flac", "IMG_1.jpg", "README"});
  bench.list.SetEntryDirectory(bench.dir.Gbk() + G("专辑 A/"));
  FakeFields fields;
  fields.audio["Track01.mp3"] = {G("周杰伦"), G("叶惠美"), G("晴天/雨天"), G("流行"), 3, 2003};
  fields.audio["晴天.flac"] = {G("陈奕迅"), std::nullopt, G("十年"), std::nullopt, std::nullopt, std::nullopt};
  fields.photos["IMG_1.jpg"] = {G("Canon EOS R5"), 6000, 4000};
  fields.taken["IMG_1.jpg"] = {2024, 5, 1, 13, 45, 7};
  bench.list.SetPreviewOn(true);

  struct Case {
    const char* text;
    std::vector<std::string> names;  // per row; "" keeps the name
    int missing;
  };
  const Case cases[] = {
      {"{name}", {"", "", "", ""}, 0},
      {"{parent}-{n:3}", {"专辑 A-001.mp3", "专辑 A-002.flac", "专辑 A-003.jpg", "专辑 A-004"}, 0},
      {"{n:2:10:-3}_{name}", {"10_Track01.mp3", "07_晴天.flac", "04_IMG_1.jpg", "01_README"}, 0},
      {"{name}.{ext}.bak", {"Track01.mp3.bak", "晴天.flac.bak", "IMG_1.jpg.bak", "README..bak"}, 0},
      {"{track:2} {artist} - {title}", {"03 周杰伦 - 晴天_雨天.mp3", "", "", ""}, 3},
      {"{artist}《{title}》", {"周杰伦《晴天_雨天》.mp3", "陈奕迅《十年》.flac", "", ""}, 2},
      {"{album} {year} {genre}", {"叶惠美 2003 流行.mp3", "", "", ""}, 3},
      {"{camera} {width}x{height} {date:yyyyMMdd}", {"", "", "Canon EOS R5 6000x4000 20240501.jpg", ""}, 3},
      {"{mtime:yyyy-MM-dd}", {"2020-01-02.mp3", "2020-01-02.flac", "2020-01-02.jpg", "2020-01-02"}, 0},
      {"{pinyin:name}~{initials:name}", {"Track01~Track01.mp3", "qingtian~qt.flac", "IMG_1~IMG_1.jpg", "README~README"}, 0},
      {"{{{name}}}", {"{Track01}.mp3", "{晴天}.flac", "{IMG_1}.jpg", "{README}"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const PreviewStepIo io = RunAsStep(bench, fields, c.text);
    ASSERT_TRUE(io.produced);
    std::vector<std::string> names(4);
    for (const PlannedRename& change : io.changes) names[static_cast<size_t>(change.row)] = Utf8ForDisplay(change.newName);
    EXPECT_EQ(names, c.names);
    EXPECT_EQ(Utf8ForDisplay(io.note), c.missing == 0 ? "" : "有" + std::to_string(c.missing) + "个文件缺少模板里的信息，没有改名");
  }
  EXPECT_TRUE(bench.prompter.boxes.empty());

  // Retuning a step reads no file again.
  PreviewStepIo io;
  io.state = std::make_shared<std::any>();
  RunContext context = bench.Context();
  context.step = &io;
  context.fileFields = &fields;
  bool silenced = true;  // as the steps run: no preview notice
  context.previewNoticeSilenced = &silenced;
  fields.reads = 0;
  RunNameTemplate(context, {G("{artist}")});
  RunNameTemplate(context, {G("{title} {camera} {date:yyyy}")});
  RunNameTemplate(context, {G("{year}{width}")});
  EXPECT_EQ(fields.reads, 4 + 4 + 4);  // songs, photos, shooting dates: each file once
}

// In a folder tree each row reads its own file and {parent} is its own
// folder: the same name in two seasons is two songs.
TEST(RunNameTemplate, ReadsEachTreeRowInItsOwnFolder) {
  class FieldsByPath : public FakeFields {
   public:
    AudioTags ReadAudioTags(const ByteText& path) const override {
      return {{}, {}, G(path.find(G("第二季/")) != ByteText::npos ? "二" : "一"), {}, {}, {}};
    }
  } fields;
  Workbench bench;
  bench.list.SetEntryDirectory(bench.dir.Gbk());
  bench.list.AppendRowInFolder(G("01.mp3"), bench.list.AddFolder(G("第一季/")));
  bench.list.AppendRowInFolder(G("01.mp3"), bench.list.AddFolder(G("剧/第二季/")));
  bench.list.SetPreviewOn(true);
  const PreviewStepIo io = RunAsStep(bench, fields, "{parent} {title}");
  ASSERT_EQ(io.changes.size(), 2u);
  EXPECT_EQ(Utf8ForDisplay(io.changes[0].newName), "第一季 一.mp3");
  EXPECT_EQ(Utf8ForDisplay(io.changes[1].newName), "第二季 二.mp3");
}

TEST(RunNameTemplate, RenamesTaggedSongsOnDiskAndCountsTheUntagged) {
  Workbench bench;
  const testing::SongTags qingtian{"周杰伦", "叶惠美", "晴天", "", 1, 2003};
  const testing::SongTags shinian{"陈奕迅", "黑白灰", "十年", "", 2, 2003};
  const testing::SongTags daoxiang{"周杰伦", "七里香", "稻香", "", 3, 2008};
  testing::WriteMp3(bench.dir.Path() + "Track01.mp3", &qingtian);
  testing::WriteFlac(bench.dir.Path() + "Track02.flac", shinian);
  testing::WriteM4a(bench.dir.Path() + "Track03.m4a", daoxiang);
  testing::WriteMp3(bench.dir.Path() + "Track04.mp3", nullptr);
  bench.Load();

  RunNameTemplate(bench.Context(), {G("")});
  RunNameTemplate(bench.Context(), {G("{track:2} {artist - {title}")});
  RunNameTemplate(bench.Context(), {G("{track:2} {artist} - {title}")});
  EXPECT_EQ(bench.Boxes(), (std::vector<Box>{
                               {"命名模板不能为空", "信息："},
                               {"命名模板有误：“{”没有配对的“}”（第11个字符）", "提示"},
                               testing::kConfirmRename,
                               testing::RenamedSummary(3),
                               {"有1个文件缺少模板里的信息，没有改名", "修改成果提示"},
                           }));
  EXPECT_EQ(bench.OnDisk(), (std::set<std::string>{"01 周杰伦 - 晴天.mp3", "02 陈奕迅 - 十年.flac", "03 周杰伦 - 稻香.m4a",
                                                   "Track04.mp3"}));
}

}  // namespace
}  // namespace vantor
