// SPDX-License-Identifier: GPL-3.0-or-later
// Secondary windows (the mapping, paste, hand-edit, about and explanation
// windows, message boxes and file dialogs) are dialog-type windows of the
// window that opened them: they stay above it, also while it stays on top of
// all other windows (窗口置顶), and open centred on it.
#pragma once

class QFileDialog;
class QWidget;

namespace vantor {

// Gives window the stay-on-top flag exactly when owner's window has it, so
// that a window opened over an always-on-top window never lands behind it.
void MatchOwnersStayOnTop(QWidget* window, const QWidget* owner);

// Makes window a dialog-type window parented to owner (keeping its other
// flags), matches owner's stay-on-top flag, centres it on owner's window and
// shows, raises and activates it.
// ShowAboveOwner(new PasteWindow(mapping, accept), mapping);
void ShowAboveOwner(QWidget* window, QWidget* owner);

// A file dialog over owner: the desktop's own dialog where the platform
// offers one, Qt's widget dialog on the platforms without a desktop
// (offscreen, minimal); above owner like the other windows.
void PrepareFileDialog(QFileDialog& dialog, const QWidget* owner);

// After owner's stay-on-top flag changed: every window it owns directly
// follows (a visible one is shown again after its flags changed).
void OwnedWindowsFollowStayOnTop(QWidget* owner);

}  // namespace vantor
