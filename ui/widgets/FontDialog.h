#pragma once

#include <QFont>

class QWidget;

// The font choice, preset with the font being edited: true when the user pressed OK, and the
// chosen font is then in font; false leaves font as it was.
bool ExecuteFontDialog(QWidget* owner, QFont& font);
