// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real main window on Qt's offscreen platform: answers the modal
// boxes a handler opens, drops paths on the window, and reads back what the
// user would see in the list.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "support/temp_dir.h"
#include "ui/main_window.h"

namespace vantor::uitest {

inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
inline QString U(const std::string& utf8) { return QString::fromStdString(utf8); }

// ---- Modal boxes ----

// What a modal box showed. For a QMessageBox every field; for another dialog
// its class and title.
struct BoxRecord {
  QString kind;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons = QMessageBox::NoButton;

  bool operator==(const BoxRecord& other) const {
    return kind == other.kind && title == other.title && text == other.text && icon == other.icon &&
           buttons == other.buttons;
  }
};

inline void PrintTo(const BoxRecord& box, std::ostream* out) {
  *out << "{" << box.kind.toStdString() << " title=\"" << box.title.toStdString() << "\" text=\""
       << box.text.toStdString() << "\" icon=" << static_cast<int>(box.icon)
       << " buttons=0x" << std::hex << box.buttons.toInt() << std::dec << "}";
}

// Expected boxes, as the handlers show them.
inline BoxRecord InfoBox(const QString& text, const QString& title = U("信息：")) {
  return {U("QMessageBox"), title, text, QMessageBox::Information, QMessageBox::Ok};
}
inline BoxRecord PlainBox(const QString& text, const QString& title) {
  return {U("QMessageBox"), title, text, QMessageBox::NoIcon, QMessageBox::Ok};
}
inline BoxRecord ConfirmBox(const QString& text = U("确定更名吗？"), const QString& title = U("提示")) {
  return {U("QMessageBox"), title, text, QMessageBox::NoIcon, QMessageBox::Ok | QMessageBox::Cancel};
}
inline BoxRecord ChooserBox() { return {U("QFileDialog"), U("选择目录"), {}, QMessageBox::NoIcon, {}}; }

inline BoxRecord SummaryBox(int renamed) {
  return PlainBox(U("一共有") + QString::number(renamed) + U("个文件被改名成功"), U("修改成果提示"));
}
inline BoxRecord PreviewNoticeBox() {
  return InfoBox(U("提示：你开启了预览功能，所以没有直接更名，\r\n请看预览区结果，确认无误后点\"确认无误，执行吧\"！"),
                 U("提示"));
}
inline BoxRecord ReminderBox(const char* text) { return InfoBox(U(text), U("提醒：")); }

inline const QString& DesktopText() {
  static const QString text =
      U("为了督促大家养成良好的习惯，\r\n特做此设置！！！\r\n请不要把一些重要文件放在桌面，\r\n"
        "因为一旦日后你重装系统或者系统崩溃了，\r\n桌面的东西有可能丢失，\r\n请移动到其他盘符进行操作！");
  return text;
}

// How to answer the next modal box: OK, Cancel, or (for the folder chooser)
// accept a folder.
struct Answer {
  enum Kind { kOk, kCancel, kChoose } kind = kOk;
  QString folder;
};
inline Answer Ok() { return {Answer::kOk, {}}; }
inline Answer Cancel() { return {Answer::kCancel, {}}; }
inline Answer Choose(const QString& folder) { return {Answer::kChoose, folder}; }

namespace detail {

inline BoxRecord Record(QWidget* modal) {
  BoxRecord record;
  record.title = modal->windowTitle();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    record.kind = U("QMessageBox");
    record.text = box->text();
    record.icon = box->icon();
    record.buttons = box->standardButtons();
  } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
    record.kind = U("QFileDialog");
    // A save dialog: the file it offers.
    if (dialog->acceptMode() == QFileDialog::AcceptSave) record.text = dialog->selectedFiles().value(0);
  } else {
    record.kind = QString::fromLatin1(modal->metaObject()->className());
  }
  return record;
}

inline void Reply(QWidget* modal, const Answer& answer) {
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    QAbstractButton* cancel = box->button(QMessageBox::Cancel);
    QAbstractButton* chosen = answer.kind == Answer::kOk ? ok : cancel;
    if (chosen == nullptr) chosen = ok != nullptr ? ok : cancel;
    if (chosen != nullptr) {
      chosen->click();
    } else {
      box->reject();
    }
    return;
  }
  if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
    if (answer.kind == Answer::kChoose && chooser->fileMode() != QFileDialog::Directory) {
      // A file dialog takes the path as typed.
      chooser->selectFile(answer.folder);
      static_cast<QDialog*>(chooser)->accept();
    } else if (answer.kind == Answer::kChoose) {
      // Nothing selected in the view: a directory chooser returns the folder
      // it shows.
      chooser->setDirectory(answer.folder);
      static_cast<QDialog*>(chooser)->accept();  // QFileDialog::accept checks the choice
    } else {
      chooser->reject();
    }
    return;
  }
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

}  // namespace detail

// Runs action while a timer watches for modal boxes, and answers each one in
// turn with the next of answers (boxes beyond the answers get Cancel where
// they have it, else OK). Returns every box seen, in order.
inline std::vector<BoxRecord> AnswerBoxes(const std::function<void()>& action, std::vector<Answer> answers = {}) {
  std::vector<BoxRecord> seen;
  QPointer<QWidget> lastAnswered;
  QTimer poll;
  poll.setInterval(2);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal == lastAnswered) return;
    lastAnswered = modal;
    seen.push_back(detail::Record(modal));
    const size_t index = seen.size() - 1;
    detail::Reply(modal, index < answers.size() ? answers[index] : Cancel());
  });
  poll.start();
  action();
  poll.stop();
  return seen;
}

// Clicks a button with the mouse and answers the boxes its handler opens.
inline std::vector<BoxRecord> Click(QAbstractButton* button, std::vector<Answer> answers = {}) {
  return AnswerBoxes([button] { QTest::mouseClick(button, Qt::LeftButton); }, std::move(answers));
}

// Triggers a menu action and answers the boxes its handler opens.
inline std::vector<BoxRecord> Trigger(QAction* action, std::vector<Answer> answers = {}) {
  return AnswerBoxes([action] { action->trigger(); }, std::move(answers));
}

// Waits, processing events, until done() holds; false after the timeout.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000) {
  QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QTest::qSleep(1);
  }
  return true;
}

// A press on an extension box, as the user opens its drop-down; the drop-down
// is closed again.
inline void OpenDropDown(QComboBox* box) {
  QTest::mousePress(box, Qt::LeftButton, {}, box->rect().center());
  box->hidePopup();
  QTest::mouseRelease(box, Qt::LeftButton, {}, box->rect().center());
  box->hidePopup();
}

// ---- Drops ----

// Drops local paths on target (the window, or the list's viewport) as the
// shell would: a drag entering, then the drop. Returns whether the drag was
// accepted.
inline bool DropPaths(QWidget* target, const QStringList& paths) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  mime.setUrls(urls);
  const QPoint where = target->rect().center();
  QDragEnterEvent enter(where, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(where), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  // The window takes the paths in after the drop event has returned.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  return drop.isAccepted();
}

// ---- The list as the user sees it ----

inline QStringList Column(const QTableView* view, int column) {
  QStringList cells;
  const QAbstractItemModel* model = view->model();
  for (int row = 0; row < model->rowCount(); ++row) cells << model->index(row, column).data().toString();
  return cells;
}

inline QString Header(const QTableView* view, int column) {
  return view->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

// Point in the list's viewport at the centre of a cell.
inline QPoint CellCentre(const QTableView* view, int row, int column) {
  return view->visualRect(view->model()->index(row, column)).center();
}

// ---- Disk ----

// Names directly in folder (native path), sorted bytewise.
inline QStringList DiskNames(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  QStringList result;
  for (const std::string& name : names) result << QString::fromStdString(name);
  return result;
}

// Creates an empty file whose name is raw bytes (not necessarily UTF-8).
inline void MakeRawFile(const std::string& folder, const std::string& rawName) {
  const std::string path = folder + rawName;
  const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
  ASSERT_GE(fd, 0) << "cannot create a file with a raw name";
  ::close(fd);
}

// Sets a file's last-write time to whole seconds since 1970.
inline void SetModified(const std::string& path, time_t seconds) {
  const timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

inline QStringList Strings(std::initializer_list<const char*> utf8) {
  QStringList list;
  for (const char* text : utf8) list << U(text);
  return list;
}

// ---- Fixture ----

// A shown main window (its start-up steps done) and a real temporary folder.
class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    // Let queued start-up work (the stay-on-top flag) finish before a test
    // opens its first box.
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  const MainWindowUi& Ui() const { return window_.Ui(); }
  QTableView* View() const { return Ui().超级列表框1; }
  QStringList Names() const { return Column(View(), 0); }
  QStringList Pending() const { return Column(View(), 1); }
  QString DirectoryLabel() const { return Ui().标签2->text(); }

  // Native path of a name in the temporary folder, without a trailing "/".
  QString PathOf(const std::string& utf8Name) const { return U(dir_.Path() + utf8Name); }
  // The folder itself as the label shows it: with its final "/".
  QString Folder(const std::string& utf8Sub = {}) const {
    return U(dir_.Path() + utf8Sub + (utf8Sub.empty() ? "" : "/"));
  }
  QStringList OnDisk(const std::string& utf8Sub = {}) const { return DiskNames(dir_.Path() + utf8Sub); }

  void MakeFiles(std::initializer_list<const char*> names) const {
    for (const char* name : names) dir_.MakeFile(name);
  }

  std::vector<BoxRecord> Drop(const QStringList& paths, std::vector<Answer> answers = {}) {
    return AnswerBoxes([&] { EXPECT_TRUE(DropPaths(&window_, paths)); }, std::move(answers));
  }

  // Files in the temporary folder, loaded by dropping the first of them.
  void LoadFiles(std::initializer_list<const char*> names) {
    MakeFiles(names);
    ASSERT_TRUE(Drop({PathOf(*names.begin())}).empty());
  }
  // Folders in the temporary folder, listed in mode "处理文件夹" by dropping the
  // first of them.
  void LoadFolders(std::initializer_list<const char*> names) {
    for (const char* name : names) dir_.MakeFolder(name);
    SetMode(1);
    ASSERT_TRUE(Drop({PathOf(*names.begin())}).empty());
  }

  // Picks one of the processing modes by its position in 组合框2.
  void SetMode(int index) { Ui().组合框2->setCurrentIndex(index); }

  // Selects exactly these rows of the list.
  void SelectRows(std::initializer_list<int> rows) {
    QItemSelectionModel* selection = View()->selectionModel();
    selection->clearSelection();
    for (int row : rows) {
      selection->select(View()->model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
  }

  std::vector<BoxRecord> TogglePreview() { return Click(Ui().按钮_打开预览); }

  // "数字编号后面加符号" with the given insert text, from its tab page.
  std::vector<BoxRecord> AddAfterNumber(const QString& insert, std::vector<Answer> answers = {Ok(), Ok()}) {
    Ui().高级选择夹1->setCurrentWidget(Ui().选择夹页_添加);
    Ui().编辑框13->setText(insert);
    return Click(Ui().按钮_数字后加符号, std::move(answers));
  }

  vantor::MainWindow window_;
  vantor::testing::TempDir dir_;
};

}  // namespace vantor::uitest
