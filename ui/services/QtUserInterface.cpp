#include "QtUserInterface.h"

#include "ui/widgets/InfoBox.h"

#include <QMessageBox>

namespace {

TAnswer AnswerOf(QMessageBox::StandardButton button, TAnswer whenClosed)
{
    switch (button) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    case QMessageBox::Abort:
        return TAnswer::Abort;
    case QMessageBox::Retry:
        return TAnswer::Retry;
    case QMessageBox::Ignore:
        return TAnswer::Ignore;
    case QMessageBox::Cancel:
        return TAnswer::Cancel;
    default:
        return whenClosed;
    }
}

TAnswer Ask(QWidget* owner, QMessageBox::Icon icon, const std::string& caption, const std::string& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape, TAnswer whenClosed)
{
    QMessageBox box(icon, QString::fromStdString(caption), QString::fromStdString(text), buttons, owner);
    box.setObjectName(QStringLiteral("Question"));
    box.setEscapeButton(escape);
    return AnswerOf(static_cast<QMessageBox::StandardButton>(box.exec()), whenClosed);
}

} // namespace

TQtUserInterface::TQtUserInterface(QWidget* owner, TSettings& settings) : FOwner(owner), FSettings(settings) {}

void TQtUserInterface::ShowInfoBox(const std::string& caption, const std::string& text)
{
    ::ShowInfoBox(QString::fromStdString(caption), QString::fromStdString(text), FSettings, FOwner);
}

TAnswer TQtUserInterface::AskYesNo(const std::string& caption, const std::string& text)
{
    return Ask(FOwner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
               TAnswer::No);
}

TAnswer TQtUserInterface::AskYesNoCancel(const std::string& caption, const std::string& text)
{
    return Ask(FOwner, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
               QMessageBox::Cancel, TAnswer::Cancel);
}

TAnswer TQtUserInterface::AskAbortRetryIgnore(const std::string& caption, const std::string& text)
{
    return Ask(FOwner, QMessageBox::Warning, caption, text,
               QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, QMessageBox::Abort, TAnswer::Abort);
}
