// The auxiliary windows over the device. Each opens without blocking,
// locks the device while it is open, and deletes itself when closed.
#pragma once

namespace nib {

class DeviceWindow;
class QtPlatform;
class Simulator;

void OpenPluginsAndColorsDialog(Simulator& sim, QtPlatform& platform, DeviceWindow& device);
void OpenInstructionsWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device);
void OpenAboutWindow(Simulator& sim, QtPlatform& platform, DeviceWindow& device);

}  // namespace nib
