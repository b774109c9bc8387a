#include "QtDialogs.h"

#include "OpenWithShell.h"
#include "ui/password/PasswordDialogs.h"
#include "ui/widgets/UiText.h"
#include "language/Messages.h"

#include <QApplication>
#include <QFileDialog>
#include <QProgressDialog>
#include <QRegularExpression>

namespace {

// The wait cursor for the life of the guard.
class TWaitCursor : public IBusyIndicator::TGuard
{
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() override { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// Progress is shown in steps of a thousandth: the dialog counts in int.
constexpr int ProgressSteps = 1000;

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

// Pairs of description and pattern from "desc|pattern|desc|pattern".
std::vector<std::pair<QString, QString>> FilterPairs(const std::string& filter)
{
    const QStringList parts = Text(filter).split(QLatin1Char('|'));
    std::vector<std::pair<QString, QString>> pairs;
    for (int n = 0; n + 1 < parts.size(); n += 2) {
        pairs.emplace_back(parts[n].trimmed(), parts[n + 1].trimmed());
    }
    return pairs;
}

} // namespace

TQtDialogs::TQtDialogs(QWidget* owner, TSettings& settings)
    : FOwner(owner), FSettings(settings), FUserInterface(owner, settings)
{
}

TQtDialogs::~TQtDialogs()
{
    delete FProgress;
}

void TQtDialogs::ShowInfoBox(const std::string& caption, const std::string& text)
{
    FUserInterface.ShowInfoBox(caption, text);
}

TAnswer TQtDialogs::AskYesNo(const std::string& caption, const std::string& text)
{
    return FUserInterface.AskYesNo(caption, text);
}

TAnswer TQtDialogs::AskYesNoCancel(const std::string& caption, const std::string& text)
{
    return FUserInterface.AskYesNoCancel(caption, text);
}

TAnswer TQtDialogs::AskAbortRetryIgnore(const std::string& caption, const std::string& text)
{
    return FUserInterface.AskAbortRetryIgnore(caption, text);
}

QString TQtDialogs::QtFilter(const std::string& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (const auto& [description, pattern] : FilterPairs(filter)) {
        QStringList patterns = pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file, but a file without a dot in its name (README, Makefile) does
        // not match it here: every file is "*".
        for (QString& one : patterns) {
            one = one.trimmed();
            if (one == QStringLiteral("*.*")) {
                one = QStringLiteral("*");
            }
        }
        // The dialog reads the patterns from the last parentheses: the description's own list
        // gives way to the pattern part.
        QString shown = description;
        shown.remove(trailingPatterns);
        filters.append(shown + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

QString TQtDialogs::DefaultSuffix(const std::string& filter)
{
    const auto pairs = FilterPairs(filter);
    if (pairs.empty()) {
        return {};
    }
    static const QRegularExpression suffixPattern(QStringLiteral("^\\*\\.(\\w+)$"));
    const QRegularExpressionMatch suffix =
        suffixPattern.match(pairs.front().second.split(QLatin1Char(';')).front().trimmed());
    return suffix.hasMatch() ? suffix.captured(1) : QString();
}

std::string TQtDialogs::AskOpenFile(const std::string& caption, const std::string& filter, const std::string& folder)
{
    return QFileDialog::getOpenFileName(FOwner, Text(caption), Text(folder), QtFilter(filter)).toStdString();
}

std::vector<std::string> TQtDialogs::AskOpenFiles(const std::string& caption, const std::string& filter,
                                                  const std::string& folder)
{
    std::vector<std::string> files;
    for (const QString& file : QFileDialog::getOpenFileNames(FOwner, Text(caption), Text(folder), QtFilter(filter))) {
        files.push_back(file.toStdString());
    }
    return files;
}

std::string TQtDialogs::AskSaveFile(const std::string& caption, const std::string& filter, const std::string& folder,
                                    const std::string& suggestedName)
{
    QFileDialog dialog(FOwner, Text(caption), Text(folder), QtFilter(filter));
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(DefaultSuffix(filter));
    dialog.selectFile(Text(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front().toStdString();
}

std::string TQtDialogs::AskFolder(const std::string& caption, const std::string& folder)
{
    return QFileDialog::getExistingDirectory(FOwner, Text(caption), Text(folder)).toStdString();
}

bool TQtDialogs::AskPassword(const std::string& caption, const std::string& initial, std::string& password)
{
    return ::AskPassword(Text(caption), initial, password, FSettings);
}

bool TQtDialogs::AskNewPassword(const std::string& caption, const std::string& initial, std::string& password)
{
    return ::AskNewPassword(FOwner, Text(caption), initial, password, FSettings);
}

bool TQtDialogs::OpenWithShell(const std::string& pathOrUrl)
{
    return ::OpenWithShell(Text(pathOrUrl), FUserInterface);
}

std::unique_ptr<IBusyIndicator::TGuard> TQtDialogs::BusyCursor()
{
    return std::make_unique<TWaitCursor>();
}

void TQtDialogs::BeginProgress(const std::string& caption, const std::string& fileName)
{
    EndProgress();
    FProgress = new QProgressDialog(Text(fileName), UiText(msg::Cancel), 0, ProgressSteps, FOwner);
    FProgress->setObjectName(QStringLiteral("Progress"));
    FProgress->setWindowTitle(Text(caption));
    FProgress->setWindowModality(Qt::WindowModal);
    FProgress->setMinimumDuration(ProgressDelayMs);
    FProgress->setAutoClose(false);
    FProgress->setAutoReset(false);
    FProgress->setValue(0);
}

bool TQtDialogs::StepProgress(std::int64_t done, std::int64_t total)
{
    if (FProgress == nullptr) {
        return true;
    }
    const std::int64_t step = total > 0 ? std::min<std::int64_t>(ProgressSteps, done * ProgressSteps / total) : 0;
    FProgress->setValue(static_cast<int>(step));
    // Until the display shows, the window must not take clicks meant for a finished command.
    QCoreApplication::processEvents(FProgress->isVisible() ? QEventLoop::AllEvents
                                                           : QEventLoop::ExcludeUserInputEvents);
    return !FProgress->wasCanceled();
}

void TQtDialogs::EndProgress()
{
    delete FProgress;
}
