#include "platform/forms/Dialogs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <deque>
#include <memory>
#include <optional>

#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/System.h"
#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/QtText.h"

namespace {

struct Seams {
  bool answerAll = false;
  std::deque<std::optional<AnsiString>> openAnswers;  // an empty entry cancels
  std::deque<int> boxAnswers;
  std::vector<MessageBoxCall> boxes;
};

Seams& TheSeams() {
  static Seams seams;
  return seams;
}

// A dialog belongs to the modal window in hand, else to the main window, also while the
// program is not the active one (a message that comes as the program goes on).
QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (TForm* main = Application->MainForm(); main != nullptr && main->isVisible()) return main;
  return QApplication::activeWindow();
}

int FirstButton(unsigned type) { return (type & 0x0F) == MB_YESNO ? IDYES : IDOK; }

int QtMessageBox(void*, const AnsiString& text, const AnsiString& caption, unsigned type) {
  Seams& seams = TheSeams();
  if (!seams.boxAnswers.empty() || seams.answerAll) {
    seams.boxes.push_back({text, caption, type});
    if (seams.boxAnswers.empty()) return FirstButton(type);
    int answer = seams.boxAnswers.front();
    seams.boxAnswers.pop_front();
    return answer;
  }
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (type & 0xF0) {
    case MB_ICONERROR: icon = QMessageBox::Critical; break;
    case 0x20: icon = QMessageBox::Question; break;
    case MB_ICONWARNING: icon = QMessageBox::Warning; break;
    case MB_ICONINFORMATION: icon = QMessageBox::Information; break;
  }
  // A busy cursor of the step that shows the box is not the box's: it comes back after.
  std::vector<QCursor> busy;
  while (const QCursor* cursor = QApplication::overrideCursor()) {
    busy.push_back(*cursor);
    QApplication::restoreOverrideCursor();
  }
  struct Restore {
    std::vector<QCursor>& cursors;
    ~Restore() {
      for (auto c = cursors.rbegin(); c != cursors.rend(); ++c) QApplication::setOverrideCursor(*c);
    }
  } restore{busy};
  QMessageBox box(icon, ToQt(caption), ToQt(text), QMessageBox::NoButton, DialogParent());
  struct Button {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<Button> buttons;
  switch (type & 0x0F) {
    case MB_OKCANCEL: buttons = {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}}; break;
    case MB_YESNO: buttons = {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}}; break;
    default: buttons = {{QMessageBox::Ok, IDOK}}; break;
  }
  for (const auto& b : buttons) box.addButton(b.button);
  box.setDefaultButton(buttons.front().button);
  box.setEscapeButton(buttons.back().button);
  box.exec();
  for (const auto& b : buttons)
    if (box.clickedButton() == box.button(b.button)) return b.answer;
  return buttons.back().answer;
}

bool Exists(const std::string& systemPath) {
  struct stat st;
  return lstat(systemPath.c_str(), &st) == 0;
}

// The entry of a folder that a typed name means, when it is none of its names as they are: Qt
// lists no name that is not UTF-8 (files copied from a system that writes 1251 names), so the
// user types it as it shows elsewhere, each byte that is no UTF-8 as U+FFFD, or as its 1251
// text. One such entry, or none when no entry or several mean it.
std::optional<std::string> EntryMeant(const std::string& folder, const QString& typed) {
  std::unique_ptr<DIR, int (*)(DIR*)> listing(opendir(folder.empty() ? "/" : folder.c_str()), closedir);
  if (!listing) return std::nullopt;
  std::optional<std::string> meant;
  while (const dirent* entry = readdir(listing.get())) {
    const std::string name = entry->d_name;
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    const QString shown = QString::fromUtf8(bytes);
    if (shown.toUtf8() == bytes) continue;  // Qt lists it
    if (shown != typed && QString::fromStdU16String(AnsiToWide(name)) != typed) continue;
    if (meant) return std::nullopt;
    meant = name;
  }
  return meant;
}

// The system path that a chosen or typed path means, folder by folder; none when a part of it
// names nothing.
std::optional<std::string> SystemPathMeant(const QString& path) {
  std::string resolved;
  for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    const QByteArray utf8 = part.toUtf8();
    std::string next = resolved + "/" + std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    if (!Exists(next)) {
      std::optional<std::string> entry = EntryMeant(resolved, part);
      if (!entry) return std::nullopt;
      next = resolved + "/" + *entry;
    }
    resolved = std::move(next);
  }
  return resolved;
}

// Qt's open dialog, which also takes a typed name of a file that it cannot list.
class OpenFileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList files = selectedFiles();
    if (files.size() == 1 && !QFileInfo::exists(files.front()) && SystemPathMeant(files.front())) {
      QDialog::accept();
      return;
    }
    QFileDialog::accept();
  }
};

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : QObject(ClientWidgetOf(owner)), TComponent(owner) {}

bool TOpenDialog::Execute() {
  Seams& seams = TheSeams();
  if (!seams.openAnswers.empty() || seams.answerAll) {
    if (seams.openAnswers.empty()) return false;
    std::optional<AnsiString> answer = seams.openAnswers.front();
    seams.openAnswers.pop_front();
    if (!answer) return false;
    fileName_ = *answer;
    return true;
  }
  OpenFileDialog dialog(DialogParent(), QString(), folder_, QtFileFilter(filter_));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().front();
  folder_ = QFileInfo(chosen).absolutePath();
  const QByteArray utf8 = chosen.toUtf8();
  std::string systemPath(utf8.constData(), static_cast<size_t>(utf8.size()));
  if (!Exists(systemPath)) systemPath = SystemPathMeant(chosen).value_or(systemPath);
  fileName_ = FromSystemPath(systemPath);
  return true;
}

QString QtFileFilter(const AnsiString& filter) {
  QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '));
    entries << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

void InstallMessageBoxDialog() { SetMessageBoxHandler(QtMessageBox); }

void AnswerDialogsForTesting(bool answer) { TheSeams().answerAll = answer; }
void SetNextOpenDialogFileName(const AnsiString& fileName) { TheSeams().openAnswers.emplace_back(fileName); }
void SetNextOpenDialogCancel() { TheSeams().openAnswers.emplace_back(std::nullopt); }
void SetNextMessageBoxAnswer(int answer) { TheSeams().boxAnswers.push_back(answer); }
const std::vector<MessageBoxCall>& AnsweredMessageBoxes() { return TheSeams().boxes; }

void ClearDialogSeams() {
  Seams& seams = TheSeams();
  seams.openAnswers.clear();
  seams.boxAnswers.clear();
  seams.boxes.clear();
}
