#pragma once

class QWidget;

// Puts a top-level window above all others or lets it be covered again. Changing the flag hides a
// window on this platform, so a shown window is shown again.
void SetWindowStaysOnTop(QWidget& window, bool onTop);
