// What every auxiliary window does on opening: a title from its menu
// caption, centred on the device's screen, topmost with the device's
// option, shown and active.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace nib {

// A menu caption as a window title: no mnemonic marks, no trailing dots.
QString WindowTitleOf(const std::string& caption);

// Centres the window's inside on the screen of `device` (the frame, unknown
// before it shows, lies around it), shows it and makes it the active window.
void ShowCentred(QWidget& window, const QWidget& device, bool on_top);

}  // namespace nib
