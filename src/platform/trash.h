// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's trash, asked for through this small interface: the window
// gives the freedesktop.org trash below, tests may give a stand-in.
#pragma once

#include <string>

namespace vantor {

class Trash {
 public:
  virtual ~Trash() = default;
  // Moves the file, folder or link at nativePath (UTF-8, absolute) into the
  // trash, quietly: no dialog of any kind. True when it is there.
  virtual bool MoveToTrash(const std::string& nativePath) = 0;
};

// The freedesktop.org trash, as desktops share it. An entry on the same
// file system as the home trash ($XDG_DATA_HOME/Trash, else
// ~/.local/share/Trash; made with files/ and info/, mode 0700, when missing)
// goes there; an entry on another file system goes to the trash of its own
// mount point: $topdir/.Trash/$uid when $topdir/.Trash is a sticky folder
// (not a link), else $topdir/.Trash-$uid (made when missing). The entry is
// renamed, never copied: one that cannot be renamed into the right trash stays
// where it is and the call is false. Each entry gets an info file
// (name.trashinfo, made first with O_EXCL, removed again when the rename
// fails) that holds its percent-encoded path and the local deletion time.
// FreedesktopTrash().MoveToTrash("/home/li/a.txt") leaves
// ~/.local/share/Trash/files/a.txt and info/a.txt.trashinfo.
class FreedesktopTrash : public Trash {
 public:
  bool MoveToTrash(const std::string& nativePath) override;
};

}  // namespace vantor
