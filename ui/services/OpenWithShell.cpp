#include "OpenWithShell.h"

#include "ui/widgets/UiText.h"
#include "app/UserInterface.h"
#include "language/Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

bool OpenWithShell(const QString& pathOrAddress, IMessages& messages)
{
    const QUrl url = QDir::isAbsolutePath(pathOrAddress) ? QUrl::fromLocalFile(pathOrAddress)
                                                         : QUrl(pathOrAddress, QUrl::StrictMode);
    if (url.isValid() && QDesktopServices::openUrl(url)) {
        return true;
    }
    messages.ShowInfoBox(MsgText(msg::Error),
                         FormatText(MsgText(msg::CannotOpenWithShell), {pathOrAddress.toStdString()}));
    return false;
}
