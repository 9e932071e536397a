// The check of an ICO or CUR directory before Qt's reader sees the file:
// which entries are kept, where their data starts, and the hot spots.
#include <QtTest>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/ico_directory.h"

namespace {

void Put16(std::string& b, std::uint16_t v) {
  b.push_back(char(v & 0xff));
  b.push_back(char(v >> 8));
}
void Put32(std::string& b, std::uint32_t v) {
  Put16(b, std::uint16_t(v & 0xffff));
  Put16(b, std::uint16_t(v >> 16));
}
void Patch32(std::string& b, std::size_t at, std::uint32_t v) {
  std::string bytes;
  Put32(bytes, v);
  b.replace(at, 4, bytes);
}
void Patch16(std::string& b, std::size_t at, std::uint16_t v) {
  std::string bytes;
  Put16(bytes, v);
  b.replace(at, 2, bytes);
}

// What one directory entry says and what its data starts with.
struct Image {
  int dir_side = 16;  // 0 means "see the bitmap"
  int bmp_side = 16;
  int bits = 32;
  bool png = false;
  int hot_x = 0, hot_y = 0;
};

constexpr std::size_t kEntryAt = 6;
constexpr std::size_t kEntryBytes = 16;

// A directory followed by each image's first 40 bytes (a bitmap header, or
// a PNG signature padded out).
std::string IconFile(std::uint16_t type, const std::vector<Image>& images) {
  std::string file;
  Put16(file, 0);
  Put16(file, type);
  Put16(file, std::uint16_t(images.size()));
  std::uint32_t offset = std::uint32_t(kEntryAt + kEntryBytes * images.size());
  for (const Image& image : images) {
    file.push_back(char(image.dir_side));
    file.push_back(char(image.dir_side));
    file.push_back('\0');
    file.push_back('\0');
    Put16(file, std::uint16_t(image.hot_x));
    Put16(file, std::uint16_t(image.hot_y));
    Put32(file, 40);
    Put32(file, offset);
    offset += 40;
  }
  for (const Image& image : images) {
    std::string head;
    if (image.png) {
      head = std::string("\x89PNG\r\n\x1a\n", 8);
    } else {
      Put32(head, 40);
      Put32(head, std::uint32_t(image.bmp_side));
      Put32(head, std::uint32_t(2 * image.bmp_side));
      Put16(head, 1);
      Put16(head, std::uint16_t(image.bits));
    }
    head.resize(40, '\0');
    file += head;
  }
  return file;
}

using Kept = QList<int>;  // indexes of the entries kept

}  // namespace

class IcoDirectoryTest : public QObject {
  Q_OBJECT

 private slots:
  void entries_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Kept>("kept");
    auto row = [](const char* name, const std::string& file, Kept kept) {
      QTest::newRow(name) << QByteArray::fromStdString(file) << kept;
    };
    row("all good", IconFile(1, {{}, {32, 32}, {48, 48, 8}}), {0, 1, 2});
    row("every bitmap depth", IconFile(1, {{16, 16, 1}, {16, 16, 4}, {16, 16, 8}, {16, 16, 24}}),
        {0, 1, 2, 3});
    row("bad depths left out", IconFile(1, {{16, 16, 0}, {16, 16, 2}, {16, 16, 16}, {}}), {3});
    row("PNG entry", IconFile(1, {{0, 0, 0, true}}), {0});
    // A side of 0 in the directory is 256 or more: the bitmap's own
    // header decides.
    row("256 wide", IconFile(1, {{0, 256}}), {0});
    row("too large for an icon", IconFile(1, {{0, 257}, {0, 0}, {}}), {2});
    row("directory side wins over the bitmap's", IconFile(1, {{16, 5000}}), {0});

    std::string past_end = IconFile(1, {{}, {}});
    Patch32(past_end, kEntryAt + 12, 0xfffffff0);
    row("data past the end", past_end, {1});
    std::string in_directory = IconFile(1, {{}, {}});
    Patch32(in_directory, kEntryAt + 12, 2);
    row("data inside the header", in_directory, {1});
    std::string short_length = IconFile(1, {{}, {}});
    Patch32(short_length, kEntryAt + kEntryBytes + 8, 7);
    row("length under 8", short_length, {0});
    // Bitmap data whose header is cut off by the end of the file.
    std::string cut = IconFile(1, {{}, {}});
    row("last header cut short", cut.substr(0, cut.size() - 1), {0});
    std::string png_cut = IconFile(1, {{0, 0, 0, true}});
    row("PNG signature cut short", png_cut.substr(0, kEntryAt + kEntryBytes + 7), {});
    // More entries claimed than the directory holds: those there count.
    std::string overcounted = IconFile(1, {{}});
    Patch16(overcounted, 4, 0xffff);
    row("count past the directory", overcounted, {0});
  }

  void entries() {
    QFETCH(QByteArray, file);
    QFETCH(Kept, kept);
    const std::string bytes = file.toStdString();
    const auto dir = nib::ParseIconDirectory(bytes);
    QVERIFY(dir);
    Kept got;
    for (const nib::IconEntry& entry : dir->entries) {
      got.append(entry.index);
      // Each kept entry's data starts where its directory line says.
      const std::size_t line = kEntryAt + kEntryBytes * std::size_t(entry.index) + 12;
      const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + line);
      QCOMPARE(entry.offset, std::uint32_t(p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24));
    }
    QCOMPARE(got, kept);
  }

  // Cursors carry a hot spot per entry; icons have none.
  void hotSpots() {
    const std::string cursor = IconFile(2, {{16, 16, 32, false, 3, 4}, {32, 32, 32, false, 31, 65535}});
    const auto cur = nib::ParseIconDirectory(cursor);
    QVERIFY(cur);
    QCOMPARE(int(cur->type), 2);
    QCOMPARE(cur->entries.size(), std::size_t(2));
    QCOMPARE(cur->entries[0].hot_x, 3);
    QCOMPARE(cur->entries[0].hot_y, 4);
    QCOMPARE(cur->entries[1].hot_x, 31);
    QCOMPARE(cur->entries[1].hot_y, 65535);

    const auto ico = nib::ParseIconDirectory(IconFile(1, {{16, 16, 32, false, 3, 4}}));
    QVERIFY(ico);
    QCOMPARE(int(ico->type), 1);
    QCOMPARE(ico->entries.size(), std::size_t(1));
    QCOMPARE(ico->entries[0].hot_x, 0);
    QCOMPARE(ico->entries[0].hot_y, 0);
  }

  void notADirectory_data() {
    QTest::addColumn<QByteArray>("file");
    auto row = [](const char* name, const std::string& file) {
      QTest::newRow(name) << QByteArray::fromStdString(file);
    };
    const std::string good = IconFile(1, {{}});
    row("empty", "");
    row("five bytes", good.substr(0, 5));
    std::string reserved = good;
    Patch16(reserved, 0, 1);
    row("reserved word set", reserved);
    std::string bitmap = good;
    Patch16(bitmap, 2, 0);
    row("type 0", bitmap);
    Patch16(bitmap, 2, 3);
    row("type 3", bitmap);
    std::string none = good;
    Patch16(none, 4, 0);
    row("no entries", none);
    row("GIF", "GIF89a\x01\x00\x01\x00");
  }

  void notADirectory() {
    QFETCH(QByteArray, file);
    QVERIFY(!nib::ParseIconDirectory(file.toStdString()));
  }
};

QTEST_APPLESS_MAIN(IcoDirectoryTest)
#include "ico_directory_test.moc"
