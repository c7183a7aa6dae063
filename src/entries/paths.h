// SPDX-License-Identifier: GPL-3.0-or-later
// Name rules of paths with the native separator "/". On Linux "\" and ":" are
// ordinary name characters.
#pragma once

#include "text/byte_text.h"

namespace vantor {

// The last component of path (after the last "/" that is followed by a
// character other than "/"); empty when the path ends with "/". Without
// keepExtension the extension is cut off.
// NameOfPath("/d/a.tar.gz") == "a.tar"; NameOfPath("/d/a.tar.gz", true) == "a.tar.gz".
ByteText NameOfPath(const ByteText& path, bool keepExtension = false);

// The extension, dot included: from the last "." of the path, provided no "/"
// and no space follows it (scanning by characters); else empty.
// ExtensionOfPath("my file.old copy") == ""; ExtensionOfPath(".bashrc") == ".bashrc".
ByteText ExtensionOfPath(const ByteText& path);

// The directory part with its final "/": a trailing "/" of path is dropped
// first; a path without "/" gives empty. ParentDirectoryOf("/a/b/") == "/a/".
ByteText ParentDirectoryOf(const ByteText& path);

// True when path names an existing directory.
bool IsDirectory(const ByteText& path);

}  // namespace vantor
