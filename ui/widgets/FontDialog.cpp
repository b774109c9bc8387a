#include "FontDialog.h"

#include <QFontDialog>

bool ExecuteFontDialog(QWidget* owner, QFont& font)
{
    QFontDialog dialog(font, owner);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    font = dialog.selectedFont();
    return true;
}
