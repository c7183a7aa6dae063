// SPDX-License-Identifier: GPL-3.0-or-later
// What a file says about itself beyond its name: the tags of a song (TagLib)
// and the camera and size of a photo (Exiv2, else Qt's image reader). Read
// through FileFieldReader, a seam a test can replace.
#pragma once

#include <optional>
#include <string>

#include "platform/photo_date.h"
#include "text/byte_text.h"

namespace vantor {

// A song's tags as GBK text; no value where the file has none (an empty tag,
// a track or year of 0 count as none).
struct AudioTags {
  std::optional<ByteText> artist;
  std::optional<ByteText> album;
  std::optional<ByteText> title;
  std::optional<ByteText> genre;
  std::optional<int> track;
  std::optional<int> year;
};

struct PhotoFields {
  std::optional<ByteText> camera;  // EXIF Make + " " + Model; Model alone when it starts with Make
  std::optional<int> width;        // pixels
  std::optional<int> height;
};

class FileFieldReader {
 public:
  virtual ~FileFieldReader() = default;
  // The tags of the audio file at path (GBK); all empty for a file TagLib
  // cannot read (no such file, not audio, damaged). MP3 (ID3v1 and v2),
  // FLAC, Ogg Vorbis, Opus, MP4/M4A and WAV are read.
  virtual AudioTags ReadAudioTags(const ByteText& path) const = 0;
  // The camera and pixel size of the image at path; all empty when neither
  // Exiv2 nor Qt's image reader can read it.
  virtual PhotoFields ReadPhotoFields(const ByteText& path) const = 0;
  // EXIF DateTimeOriginal (see ReadPhotoTakenTime).
  virtual std::optional<TakenTime> ReadTakenTime(const ByteText& path) const = 0;
  // The last-write time (see ReadModificationTime).
  virtual std::optional<TakenTime> ReadModifiedTime(const ByteText& path) const = 0;
};

// The reader over the real files. Safe to use from several threads at once.
const FileFieldReader& SystemFileFields();

// The camera as a name shows it: "Canon" + "Canon EOS R5" -> "Canon EOS R5",
// "NIKON CORPORATION" + "NIKON D750" -> "NIKON CORPORATION NIKON D750",
// "Apple" + "iPhone 12" -> "Apple iPhone 12"; trailing spaces and NULs of
// either are dropped; empty when both are empty.
std::string CameraName(std::string make, std::string model);

}  // namespace vantor
