#include "shell/picture_files.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QThread>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace nib {
namespace {

// Pictures and cursors of the toy are a few kilobytes; anything this large
// is not one of them and is not worth the memory.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;
// Windows icons and cursors are at most 256 pixels a side.
constexpr quint32 kMaxIconSide = 256;
constexpr int kIconDirBytes = 6;
constexpr int kIconEntryBytes = 16;
constexpr int kBmpInfoBytes = 40;

std::optional<QByteArray> ReadSmallFile(const std::string& absolute_path) {
  const QString path = QString::fromStdString(absolute_path);
  if (!QFileInfo(path).isFile()) return std::nullopt;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) return std::nullopt;
  QByteArray bytes = file.read(kMaxFileBytes + 1);
  if (bytes.isEmpty() || bytes.size() > kMaxFileBytes) return std::nullopt;
  return bytes;
}

// QPixmap and QCursor abort the program without a QGuiApplication.
bool CanMakePixmaps() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  return app != nullptr && QThread::currentThread() == app->thread();
}

quint16 U16(const QByteArray& b, qsizetype at) {
  return qFromLittleEndian<quint16>(reinterpret_cast<const uchar*>(b.constData() + at));
}
quint32 U32(const QByteArray& b, qsizetype at) {
  return qFromLittleEndian<quint32>(reinterpret_cast<const uchar*>(b.constData() + at));
}

struct IconEntry {
  int index = 0;
  int hot_x = 0;  // cursor files only
  int hot_y = 0;
};

struct IconDirectory {
  quint16 type = 0;  // 1 icon, 2 cursor
  std::vector<IconEntry> entries;  // only those that point at plausible data
};

// Qt's ico reader trusts the directory; entries whose data lies outside the
// file or claims an absurd size are left out before Qt sees them.
std::optional<IconDirectory> ParseIconDirectory(const QByteArray& bytes) {
  const qsizetype size = bytes.size();
  if (size < kIconDirBytes) return std::nullopt;
  IconDirectory dir;
  dir.type = U16(bytes, 2);
  const quint16 count = U16(bytes, 4);
  if (U16(bytes, 0) != 0 || (dir.type != 1 && dir.type != 2) || count == 0) return std::nullopt;
  for (int i = 0; i < count; ++i) {
    const qsizetype at = kIconDirBytes + qsizetype{i} * kIconEntryBytes;
    if (at + kIconEntryBytes > size) break;
    const quint32 length = U32(bytes, at + 8);
    const quint32 offset = U32(bytes, at + 12);
    if (offset < kIconDirBytes || offset >= static_cast<quint64>(size)) continue;
    if (length < 8 || static_cast<quint64>(offset) + 8 > static_cast<quint64>(size)) continue;
    const bool png = bytes.mid(offset, 8) == QByteArray("\x89PNG\r\n\x1a\n", 8);
    if (!png) {
      if (static_cast<quint64>(offset) + kBmpInfoBytes > static_cast<quint64>(size)) continue;
      // A zero width or height in the directory means "see the bitmap".
      const quint32 bmp_width = U32(bytes, offset + 4);
      const quint32 bmp_height = U32(bytes, offset + 8) / 2;
      if (quint8(bytes[at]) == 0 && (bmp_width == 0 || bmp_width > kMaxIconSide)) continue;
      if (quint8(bytes[at + 1]) == 0 && (bmp_height == 0 || bmp_height > kMaxIconSide)) continue;
      const quint16 bits = U16(bytes, offset + 14);
      if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) continue;
    }
    IconEntry entry;
    entry.index = i;
    if (dir.type == 2) {
      entry.hot_x = U16(bytes, at + 4);
      entry.hot_y = U16(bytes, at + 6);
    }
    dir.entries.push_back(entry);
  }
  return dir;
}

struct DecodedIcon {
  IconEntry entry;
  QImage image;
};

std::vector<DecodedIcon> DecodeIcons(const QByteArray& bytes, const IconDirectory& dir) {
  QByteArray copy = bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  std::vector<DecodedIcon> out;
  for (const IconEntry& entry : dir.entries) {
    if (!reader.jumpToImage(entry.index)) continue;
    QImage image;
    if (reader.read(&image) && !image.isNull()) out.push_back({entry, image});
  }
  return out;
}

qint64 Area(const QImage& image) { return qint64{image.width()} * image.height(); }

std::shared_ptr<QtPicture> MakePicture(const QImage& main_image) {
  auto picture = std::make_shared<QtPicture>();
  picture->pixmap = QPixmap::fromImage(main_image);
  if (picture->pixmap.isNull()) return nullptr;
  picture->width_px = main_image.width();
  picture->height_px = main_image.height();
  return picture;
}

}  // namespace

Picture LoadPictureFile(const std::string& absolute_path) {
  if (!CanMakePixmaps()) return nullptr;
  const auto bytes = ReadSmallFile(absolute_path);
  if (!bytes) return nullptr;

  // ICO has no magic number: its directory decides, whatever the name says.
  if (const auto dir = ParseIconDirectory(*bytes)) {
    const std::vector<DecodedIcon> icons = DecodeIcons(*bytes, *dir);
    if (icons.empty()) return nullptr;
    const auto largest = std::max_element(
        icons.begin(), icons.end(),
        [](const DecodedIcon& a, const DecodedIcon& b) { return Area(a.image) < Area(b.image); });
    auto picture = MakePicture(largest->image);
    if (!picture) return nullptr;
    for (const DecodedIcon& icon : icons) picture->icon.addPixmap(QPixmap::fromImage(icon.image));
    return picture;
  }

  QByteArray copy = *bytes;
  QBuffer buffer(&copy);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  QImage image;
  if (!reader.read(&image) || image.isNull()) return nullptr;
  auto picture = MakePicture(image);
  if (!picture) return nullptr;
  picture->icon = QIcon(picture->pixmap);
  return picture;
}

Cursor LoadCursorFile(const std::string& absolute_path) {
  if (!CanMakePixmaps()) return nullptr;
  const auto bytes = ReadSmallFile(absolute_path);
  if (!bytes) return nullptr;
  const auto dir = ParseIconDirectory(*bytes);
  if (!dir) return nullptr;
  const std::vector<DecodedIcon> icons = DecodeIcons(*bytes, *dir);
  if (icons.empty()) return nullptr;

  // Windows shows cursors at 32 pixels: take the entry nearest that size,
  // the larger one on a tie.
  auto distance = [](const QImage& image) { return std::abs(std::max(image.width(), image.height()) - 32); };
  const DecodedIcon* chosen = &icons.front();
  for (const DecodedIcon& icon : icons) {
    const int d = distance(icon.image), best = distance(chosen->image);
    if (d < best || (d == best && Area(icon.image) > Area(chosen->image))) chosen = &icon;
  }

  const QImage& image = chosen->image;
  int hot_x = chosen->entry.hot_x;
  int hot_y = chosen->entry.hot_y;
  if (dir->type == 1) {
    // An icon used as a cursor points with its centre.
    hot_x = image.width() / 2;
    hot_y = image.height() / 2;
  }
  hot_x = std::clamp(hot_x, 0, image.width() - 1);
  hot_y = std::clamp(hot_y, 0, image.height() - 1);

  const QPixmap pixmap = QPixmap::fromImage(image);
  if (pixmap.isNull()) return nullptr;
  auto cursor = std::make_shared<QtCursor>();
  cursor->cursor = QCursor(pixmap, hot_x, hot_y);
  return cursor;
}

}  // namespace nib
