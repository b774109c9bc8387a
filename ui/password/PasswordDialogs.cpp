#include "PasswordDialogs.h"

#include "DecryptPasswordForm.h"
#include "EncryptPasswordForm.h"
#include "ui/widgets/InfoBox.h"
#include "ui/widgets/Placement.h"
#include "ui/widgets/UiText.h"
#include "language/LangWatchable.h"
#include "language/Messages.h"
#include "settings/Settings.h"

#include <QApplication>

namespace {

// Builds the dialog hidden, places it at the cursor, sets the caption and runs it; an exception
// on the way shows its text and counts as cancelled.
template <typename TForm, typename TFill, typename TRead>
bool RunPasswordForm(QWidget* parent, const QString& caption, TSettings& settings, TFill fill, TRead read)
{
    try {
        TForm form(settings, parent != nullptr ? parent : QApplication::activeWindow());
        fill(form);
        PlaceAtCursor(form);
        form.setWindowTitle(caption);
        const bool confirmed = form.exec() == QDialog::Accepted;
        return read(form, confirmed);
    } catch (const std::exception& error) {
        ShowInfoBox(UiText(msg::Error), QString::fromStdString(error.what()), settings, parent);
        return false;
    }
}

} // namespace

bool AskNewPassword(QWidget* parent, const QString& caption, const std::string& initial, std::string& password,
                    TSettings& settings)
{
    return RunPasswordForm<TEncryptPasswordForm>(
        parent, caption, settings,
        [&](TEncryptPasswordForm& form) { form.SetPassword(QString::fromStdString(initial)); },
        [&](TEncryptPasswordForm& form, bool confirmed) {
            if (confirmed) {
                password = form.Password().toStdString();
            }
            return confirmed;
        });
}

bool AskPassword(const QString& caption, const std::string& initial, std::string& password, TSettings& settings)
{
    return RunPasswordForm<TDecryptPasswordForm>(
        nullptr, caption, settings,
        [&](TDecryptPasswordForm& form) { form.SetPassword(QString::fromStdString(initial)); },
        [&](TDecryptPasswordForm& form, bool confirmed) {
            password = form.Password().toStdString();
            return confirmed;
        });
}
