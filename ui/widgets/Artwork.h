#pragma once

#include "language/Message.h"

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn as SVG and compiled into the program.
namespace Artwork {

// Makes the pictures available; call once before the first window is built.
void Load();

// A picture by its name ("logo", "icon-new", "dropzone" ...) at the given size in pixels.
QPixmap Picture(const QString& name, QSize size);
QIcon Icon(const QString& name);
// The flag of a language, 16 × 11 unless told otherwise.
QPixmap Flag(TLanguage language, QSize size = QSize(16, 11));

} // namespace Artwork
