// Decoding of pictures (GIF with transparency, ICO) and cursors (CUR with
// their hot spots) into the shared handles the core passes around.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <string>

#include "sim/platform.h"

namespace nib {

struct QtPicture final : PictureData {
  QPixmap pixmap;  // what the window paints
  QIcon icon;      // every size an ICO file holds, for window and tray icons
};

struct QtCursor final : CursorData {
  QCursor cursor;
};

// Null when the file cannot be read or decoded.
Picture LoadPictureFile(const std::string& absolute_path);
Cursor LoadCursorFile(const std::string& absolute_path);

}  // namespace nib
