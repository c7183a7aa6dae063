// SPDX-License-Identifier: GPL-3.0-or-later
// Small audio files with tags, written by tests: the bare bytes each format
// needs to be recognised (a few silent MPEG frames, a FLAC stream header, an
// MP4 movie header), then the tags put in by TagLib itself.
#pragma once

#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/xiphcomment.h>

#include <fstream>
#include <string>

namespace vantor::testing {

// The tags to write (UTF-8); empty texts and zero numbers are left out.
struct SongTags {
  std::string artist, album, title, genre;
  unsigned int track = 0, year = 0;
};

namespace audio_detail {

inline void Put32BigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

inline std::string Box(const char* type, const std::string& body) {
  std::string box;
  Put32BigEndian(box, static_cast<uint32_t>(body.size() + 8));
  return box + type + body;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline void SetTags(TagLib::Tag& tag, const SongTags& tags) {
  const auto text = [](const std::string& utf8) { return TagLib::String(utf8, TagLib::String::UTF8); };
  tag.setArtist(text(tags.artist));
  tag.setAlbum(text(tags.album));
  tag.setTitle(text(tags.title));
  tag.setGenre(text(tags.genre));
  tag.setTrack(tags.track);
  tag.setYear(tags.year);
}

}  // namespace audio_detail

// An MPEG-1 Layer III file of silent frames (128 kbit/s, 44.1 kHz), with an
// ID3v2 tag unless tags is null.
inline void WriteMp3(const std::string& path, const SongTags* tags) {
  std::string frames;
  for (int i = 0; i < 4; ++i) frames += std::string("\xFF\xFB\x90\x64", 4) + std::string(413, '\0');
  audio_detail::WriteBytes(path, frames);
  if (tags == nullptr) return;
  TagLib::MPEG::File file(path.c_str(), false);
  audio_detail::SetTags(*file.ID3v2Tag(true), *tags);
  file.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripNone);
}

// A FLAC stream with its STREAMINFO only, tags in a Vorbis comment.
inline void WriteFlac(const std::string& path, const SongTags& tags) {
  std::string info(34, '\0');
  info[0] = 0x10;  // 4096 samples per block, at least and at most
  info[2] = 0x10;
  info[10] = 0x0A;  // 44100 Hz, 2 channels, 16 bits
  info[11] = static_cast<char>(0xC4);
  info[12] = 0x42;
  info[13] = static_cast<char>(0xF0);
  audio_detail::WriteBytes(path, std::string("fLaC", 4) + std::string("\x80\x00\x00\x22", 4) + info);
  TagLib::FLAC::File file(path.c_str(), false);
  audio_detail::SetTags(*file.xiphComment(true), tags);
  file.save();
}

// An MP4 (M4A) file of a file-type box and a movie header, tags in iTunes
// form under moov/udta/meta/ilst.
inline void WriteM4a(const std::string& path, const SongTags& tags) {
  std::string ftyp = "M4A ";
  audio_detail::Put32BigEndian(ftyp, 0);
  ftyp += "M4A mp42isom";
  std::string mvhd(100, '\0');
  mvhd[15] = static_cast<char>(0xE8);  // time scale 1000
  mvhd[14] = 0x03;
  audio_detail::WriteBytes(path, audio_detail::Box("ftyp", ftyp) +
                                     audio_detail::Box("moov", audio_detail::Box("mvhd", mvhd)) +
                                     audio_detail::Box("mdat", std::string(16, '\0')));
  TagLib::MP4::File file(path.c_str(), false);
  audio_detail::SetTags(*file.tag(), tags);
  file.save();
}

}  // namespace vantor::testing
