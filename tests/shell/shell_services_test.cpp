// The desktop services behind the core: case-blind file lookup in the
// program folder, picture and cursor decoding, and wave playback.
#include <QColor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cstring>
#include <filesystem>

#include "shell/picture_files.h"
#include "shell/program_folder.h"
#include "shell/screen_placement.h"
#include "shell/sound_player.h"

namespace {

using nib::ProgramFolder;

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
  QCOMPARE(file.write(bytes), bytes.size());
}

// A 3x2 GIF89a: index 0 (magenta) transparent, then red, green, blue.
// Row 0: transparent red green; row 1: blue red transparent.
const QByteArray kTransparentGif(
    "\x47\x49\x46\x38\x39\x61\x03\x00\x02\x00\x81\x00\x00\xff\x00\xff\xff\x00\x00\x00\xff\x00"
    "\x00\x00\xff\x21\xf9\x04\x01\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x03\x00\x02\x00\x00\x08"
    "\x09\x00\x01\x04\x10\x30\x20\x00\x80\x80\x00\x3b",
    56);

struct IconSpec {
  int size;
  QColor color;
  int hot_x = 0;
  int hot_y = 0;
};

void Put16(QByteArray& b, quint16 v) {
  char tmp[2];
  qToLittleEndian(v, tmp);
  b.append(tmp, 2);
}
void Put32(QByteArray& b, quint32 v) {
  char tmp[4];
  qToLittleEndian(v, tmp);
  b.append(tmp, 4);
}

// An ICO (type 1) or CUR (type 2) file of 32-bit bitmaps, each a square of
// one colour with its top-left pixel transparent, built byte by byte so the
// test does not depend on any writer.
QByteArray BuildIconFile(quint16 type, const QList<IconSpec>& specs) {
  QList<QByteArray> bodies;
  for (const IconSpec& spec : specs) {
    const int n = spec.size;
    const int mask_stride = ((n + 31) / 32) * 4;
    QByteArray body;
    Put32(body, 40);
    Put32(body, n);
    Put32(body, 2 * n);  // colour rows plus mask rows
    Put16(body, 1);
    Put16(body, 32);
    Put32(body, 0);
    Put32(body, n * n * 4 + n * mask_stride);
    for (int i = 0; i < 4; ++i) Put32(body, 0);
    for (int row = n - 1; row >= 0; --row) {  // bottom-up
      for (int x = 0; x < n; ++x) {
        const bool hole = row == 0 && x == 0;
        body.append(char(spec.color.blue()));
        body.append(char(spec.color.green()));
        body.append(char(spec.color.red()));
        body.append(char(hole ? 0 : 255));
      }
    }
    for (int row = n - 1; row >= 0; --row) {
      QByteArray line(mask_stride, '\0');
      if (row == 0) line[0] = char(0x80);  // 1 = transparent
      body.append(line);
    }
    bodies.append(body);
  }
  QByteArray file;
  Put16(file, 0);
  Put16(file, type);
  Put16(file, quint16(specs.size()));
  quint32 offset = 6 + 16 * specs.size();
  for (int i = 0; i < specs.size(); ++i) {
    file.append(char(specs[i].size >= 256 ? 0 : specs[i].size));
    file.append(char(specs[i].size >= 256 ? 0 : specs[i].size));
    file.append('\0');
    file.append('\0');
    Put16(file, type == 2 ? specs[i].hot_x : 1);
    Put16(file, type == 2 ? specs[i].hot_y : 32);
    Put32(file, bodies[i].size());
    Put32(file, offset);
    offset += bodies[i].size();
  }
  for (const QByteArray& body : bodies) file.append(body);
  return file;
}

void Patch32(QByteArray& b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void Patch16(QByteArray& b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }

// A wave of a square tone; format tag 0xFFFE writes the extensible header.
QByteArray BuildWave(int milliseconds, quint16 tag = 1, int bits = 16, int channels = 1) {
  const int rate = 22050;
  const int frames = rate * milliseconds / 1000;
  const int block = channels * qMax(1, bits / 8);
  QByteArray data;
  for (int i = 0; i < frames * channels; ++i) {
    const bool high = (i / channels) % 50 < 25;
    if (tag == 3) {
      const float x = high ? 0.25f : -0.25f;
      quint32 raw;
      std::memcpy(&raw, &x, 4);
      Put32(data, raw);
    } else if (bits == 8) {
      data.append(char(high ? 160 : 96));
    } else if (bits == 4) {
      if (i % 2 == 0) data.append(char(0x17));
    } else {
      const qint32 v = high ? 8000 : -8000;
      for (int b = 0; b < bits / 8; ++b) data.append(char((v << (bits - 16)) >> (8 * b)));
    }
  }
  const bool extensible = tag == 0xFFFE;
  QByteArray fmt;
  Put16(fmt, tag);
  Put16(fmt, quint16(channels));
  Put32(fmt, rate);
  Put32(fmt, rate * block);
  Put16(fmt, quint16(block));
  Put16(fmt, quint16(bits));
  if (extensible) {
    Put16(fmt, 22);
    Put16(fmt, quint16(bits));
    Put32(fmt, channels == 1 ? 4 : 3);
    fmt.append(QByteArray::fromHex("0100000000001000800000aa00389b71"));  // PCM
  }
  QByteArray wav("RIFF");
  Put32(wav, 4 + 8 + fmt.size() + 8 + data.size());
  wav.append("WAVEfmt ");
  Put32(wav, fmt.size());
  wav.append(fmt);
  wav.append("data");
  Put32(wav, data.size());
  wav.append(data);
  return wav;
}

std::string Std(const QString& s) { return s.toStdString(); }

}  // namespace

class ShellServicesTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir temp_;
  QString root_;  // the program folder under test; temp_ also holds a file outside it

  QString Under(const QString& relative) const { return root_ + u'/' + relative; }

 private slots:
  void initTestCase() {
    QVERIFY(temp_.isValid());
    root_ = temp_.path() + "/program";
    WriteBytes(temp_.path() + "/outside.txt", "secret");
    WriteBytes(Under("other/NibScr.GIF"), kTransparentGif);
    WriteBytes(Under("Chars/Readme.txt"), "upper");
    WriteBytes(Under("Chars/both.txt"), "upper both");
    WriteBytes(Under("chars/only_lower.txt"), "lower");
    WriteBytes(Under("chars/both.txt"), "lower both");
    WriteBytes(Under("Mixed.TXT"), "M");
    WriteBytes(Under("mixed.txt"), "m");
    WriteBytes(Under("binary.dat"), QByteArray("a\0b\xff", 4));
    QVERIFY(QDir().mkpath(Under("sounds/empty folder")));
  }

  // --- Program folder -------------------------------------------------

  void resolve_data() {
    QTest::addColumn<QString>("request");
    QTest::addColumn<QString>("expected");  // relative to the root; empty = nullopt
    const QString none;
    QTest::newRow("exact, backslashes") << "\\other\\NibScr.GIF" << "other/NibScr.GIF";
    QTest::newRow("other case") << "\\OTHER\\nibscr.gif" << "other/NibScr.GIF";
    QTest::newRow("slashes") << "/other/nibscr.gif" << "other/NibScr.GIF";
    QTest::newRow("no leading separator") << "other\\NIBSCR.GIF" << "other/NibScr.GIF";
    QTest::newRow("doubled and mixed separators") << "\\\\other/\\nibscr.gif" << "other/NibScr.GIF";
    QTest::newRow("trailing separator") << "\\other\\nibscr.gif\\" << "other/NibScr.GIF";
    // Two folders that differ only by case: exact spelling wins, else the
    // first in sorted order, else whichever holds the file.
    QTest::newRow("exact folder Chars") << "\\Chars\\both.txt" << "Chars/both.txt";
    QTest::newRow("exact folder chars") << "\\chars\\both.txt" << "chars/both.txt";
    QTest::newRow("neither spelling: sorted first") << "\\CHARS\\BOTH.TXT" << "Chars/both.txt";
    QTest::newRow("only in Chars") << "\\chars\\readme.txt" << "Chars/Readme.txt";
    QTest::newRow("only in chars") << "\\CHARS\\ONLY_LOWER.TXT" << "chars/only_lower.txt";
    QTest::newRow("files by case: exact") << "\\mixed.txt" << "mixed.txt";
    QTest::newRow("files by case: exact upper") << "\\Mixed.TXT" << "Mixed.TXT";
    QTest::newRow("files by case: sorted first") << "\\MIXED.TXT" << "Mixed.TXT";
    // Nothing outside the folder, and only regular files.
    QTest::newRow("parent") << "\\..\\outside.txt" << none;
    QTest::newRow("parent inside") << "\\other\\..\\other\\nibscr.gif" << none;
    QTest::newRow("dot") << ".\\other\\nibscr.gif" << none;
    QTest::newRow("absolute path outside") << temp_.path() + "/outside.txt" << none;
    QTest::newRow("folder") << "\\sounds" << none;
    QTest::newRow("nested folder") << "\\SOUNDS\\Empty Folder" << none;
    QTest::newRow("root") << "\\" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("missing") << "\\other\\nothere.gif" << none;
    QTest::newRow("file used as folder") << "\\other\\nibscr.gif\\x" << none;
    QTest::newRow("missing folder") << "\\nothere\\nibscr.gif" << none;
  }

  void resolve() {
    QFETCH(QString, request);
    QFETCH(QString, expected);
    const ProgramFolder folder(Std(root_));
    const auto resolved = folder.Resolve(Std(request));
    QCOMPARE(folder.Exists(Std(request)), resolved.has_value());
    if (expected.isEmpty()) {
      QVERIFY2(!resolved, resolved ? resolved->c_str() : "");
    } else {
      QVERIFY(resolved);
      QCOMPARE(QString::fromStdString(*resolved), Under(expected));
    }
  }

  void resolveRejectsEmbeddedNul() {
    const ProgramFolder folder(Std(root_));
    QVERIFY(!folder.Resolve(std::string("\\mixed.txt\0.gif", 15)));
  }

  void readFile() {
    const ProgramFolder folder(Std(root_));
    QCOMPARE(folder.ReadFile("\\BINARY.DAT"), std::optional<std::string>(std::string("a\0b\xff", 4)));
    QCOMPARE(folder.ReadFile("\\chars\\both.txt"), std::optional<std::string>("lower both"));
    QCOMPARE(folder.ReadFile("\\sounds"), std::nullopt);
    QCOMPARE(folder.ReadFile("\\..\\outside.txt"), std::nullopt);
    QCOMPARE(folder.ReadFile("\\nothere"), std::nullopt);
  }

  // Start-up resolves a few hundred names, most of them in the wrong case.
  void resolveIsQuickInABigFolder() {
    QTemporaryDir big;
    for (int i = 0; i < 300; ++i) WriteBytes(big.path() + QString("/Pics/Frame%1.Gif").arg(i), "x");
    const ProgramFolder folder(Std(big.path()));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < 300; ++i) {
      QVERIFY(folder.Exists(Std(QString("\\pics\\frame%1.gif").arg(i))));
    }
    qInfo("300 case-blind look-ups in a folder of 300 files: %lld ms", timer.elapsed());
    QVERIFY(timer.elapsed() < 3000);
  }

  // --- Pictures -------------------------------------------------------

  void gifKeepsTransparencyAndColours() {
    const auto picture = nib::LoadPictureFile(Std(Under("other/NibScr.GIF")));
    QVERIFY(picture);
    QCOMPARE(picture->width_px, 3);
    QCOMPARE(picture->height_px, 2);
    const auto* qt = dynamic_cast<const nib::QtPicture*>(picture.get());
    QVERIFY(qt);
    QCOMPARE(qt->pixmap.size(), QSize(3, 2));
    QVERIFY(!qt->icon.isNull());
    const QImage image = qt->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(2, 1)), 0);
    QCOMPARE(image.pixel(1, 0), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(2, 0), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
  }

  void icoUsesLargestEntryAndKeepsAll() {
    const QString path = temp_.path() + "/three.ico";
    WriteBytes(path, BuildIconFile(1, {{16, Qt::red}, {48, Qt::blue}, {32, Qt::green}}));
    const auto picture = nib::LoadPictureFile(Std(path));
    QVERIFY(picture);
    QCOMPARE(picture->width_px, 48);
    QCOMPARE(picture->height_px, 48);
    const auto* qt = dynamic_cast<const nib::QtPicture*>(picture.get());
    QVERIFY(qt);
    const QImage image = qt->pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(48, 48));
    QCOMPARE(image.pixel(10, 10), qRgb(0, 0, 255));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    const QList<QSize> sizes = qt->icon.availableSizes();
    for (int side : {16, 32, 48}) QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
  }

  void unreadablePicturesAreNull_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("as_folder");
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("folder") << QByteArray() << true;
    QTest::newRow("text") << QByteArray("this is not a picture\n").repeated(20) << false;
    QTest::newRow("gif header only") << kTransparentGif.left(13) << false;
    QTest::newRow("gif cut in the pixels") << kTransparentGif.left(44) << false;
    QByteArray zero = kTransparentGif;
    Patch16(zero, 6, 0);
    Patch16(zero, 8, 0);
    Patch16(zero, 38, 0);
    Patch16(zero, 40, 0);
    QTest::newRow("gif of zero size") << zero << false;
    const QByteArray ico = BuildIconFile(1, {{32, Qt::green}});
    QByteArray far = ico;
    Patch32(far, 6 + 12, 0x7ffffff0);
    QTest::newRow("ico offset past the end") << far << false;
    QByteArray none = ico;
    Patch16(none, 4, 0);
    QTest::newRow("ico of no entries") << none << false;
    QByteArray huge = ico;
    huge[6] = 0;
    huge[7] = 0;
    Patch32(huge, 22 + 4, 1'000'000'000);
    Patch32(huge, 22 + 8, 2'000'000'000);
    QTest::newRow("ico claiming a giant bitmap") << huge << false;
    QTest::newRow("ico cut short") << ico.left(ico.size() - 10) << false;
  }

  void unreadablePicturesAreNull() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, as_folder);
    const QString path = temp_.path() + "/bad/" + QTest::currentDataTag() + ".gif";
    if (as_folder) {
      QVERIFY(QDir().mkpath(path));
    } else {
      WriteBytes(path, bytes);
    }
    QVERIFY(!nib::LoadPictureFile(Std(path)));
    QVERIFY(!nib::LoadCursorFile(Std(path)));
  }

  void missingFilesAreNull() {
    QVERIFY(!nib::LoadPictureFile(Std(temp_.path() + "/nothere.gif")));
    QVERIFY(!nib::LoadCursorFile(Std(temp_.path() + "/nothere.cur")));
    QVERIFY(!nib::LoadPictureFile(""));
  }

  // Random bytes, and random damage to a good file, never crash.
  void damagedPicturesNeverCrash() {
    QRandomGenerator random(20240611);
    const QByteArray good_cur = BuildIconFile(2, {{16, Qt::red, 1, 1}, {32, Qt::blue, 2, 2}});
    const QString path = temp_.path() + "/fuzz.cur";
    for (int round = 0; round < 300; ++round) {
      QByteArray bytes;
      if (round % 3 == 0) {
        bytes.resize(random.bounded(1, 200));
        for (char& c : bytes) c = char(random.bounded(256));
      } else {
        bytes = (round % 3 == 1) ? good_cur : kTransparentGif;
        for (int hits = random.bounded(1, 6); hits > 0; --hits) {
          const int at = random.bounded(qMin<int>(bytes.size(), 64));
          bytes[at] = char(random.bounded(256));
        }
      }
      WriteBytes(path, bytes);
      const auto picture = nib::LoadPictureFile(Std(path));
      if (picture) QVERIFY(picture->width_px > 0 && picture->height_px > 0);
      nib::LoadCursorFile(Std(path));
    }
  }

  // --- Cursors --------------------------------------------------------

  void cursorHotSpot_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("hot_spot");
    QTest::newRow("one entry") << BuildIconFile(2, {{32, Qt::red, 5, 7}}) << QSize(32, 32)
                               << QPoint(5, 7);
    QTest::newRow("32 chosen among sizes")
        << BuildIconFile(2, {{16, Qt::red, 1, 2}, {48, Qt::green, 40, 41}, {32, Qt::blue, 9, 3}})
        << QSize(32, 32) << QPoint(9, 3);
    QTest::newRow("only large") << BuildIconFile(2, {{48, Qt::green, 47, 0}}) << QSize(48, 48)
                                << QPoint(47, 0);
    QTest::newRow("hot spot off the picture")
        << BuildIconFile(2, {{32, Qt::red, 200, 300}}) << QSize(32, 32) << QPoint(31, 31);
    QTest::newRow("icon as cursor points with its centre")
        << BuildIconFile(1, {{32, Qt::red}}) << QSize(32, 32) << QPoint(16, 16);
    // The directory claims more entries than the file holds: the ones there count.
    QByteArray overcounted = BuildIconFile(2, {{32, Qt::red, 3, 4}});
    Patch16(overcounted, 4, 0xffff);
    QTest::newRow("count past the directory") << overcounted << QSize(32, 32) << QPoint(3, 4);
    // A broken 32 entry leaves the next best.
    QByteArray broken = BuildIconFile(2, {{32, Qt::red, 3, 4}, {16, Qt::blue, 6, 7}});
    Patch32(broken, 6 + 12, 0xfffffff0);
    QTest::newRow("broken entry skipped") << broken << QSize(16, 16) << QPoint(6, 7);
  }

  void cursorHotSpot() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    QFETCH(QPoint, hot_spot);
    const QString path = temp_.path() + "/pointer.cur";
    WriteBytes(path, bytes);
    const auto cursor = nib::LoadCursorFile(Std(path));
    QVERIFY(cursor);
    const auto* qt = dynamic_cast<const nib::QtCursor*>(cursor.get());
    QVERIFY(qt);
    QCOMPARE(qt->cursor.shape(), Qt::BitmapCursor);
    QCOMPARE(qt->cursor.pixmap().size(), size);
    QCOMPARE(qt->cursor.hotSpot(), hot_spot);
    QCOMPARE(qAlpha(qt->cursor.pixmap().toImage().pixel(0, 0)), 0);
  }

  // Every prefix of a good cursor file is refused, none crashes.
  void truncatedCursorsAreNull() {
    const QByteArray good = BuildIconFile(2, {{32, Qt::red, 5, 7}});
    const QString path = temp_.path() + "/cut.cur";
    for (int length = 0; length < good.size(); ++length) {
      WriteBytes(path, good.left(length));
      QVERIFY2(!nib::LoadCursorFile(Std(path)), qPrintable(QString::number(length)));
    }
    WriteBytes(path, good);
    QVERIFY(nib::LoadCursorFile(Std(path)));
  }

  void gifIsNoCursor() {
    QVERIFY(!nib::LoadCursorFile(Std(Under("other/NibScr.GIF"))));
  }

  // --- Sound ----------------------------------------------------------

  // Every call returns at once, with or without a sound device (CI has
  // none), whatever the file holds.
  void playReturnsAtOnce() {
    const QString dir = temp_.path() + "/timed/";
    WriteBytes(dir + "tone.wav", BuildWave(150));
    WriteBytes(dir + "other.WAV", BuildWave(80));
    WriteBytes(dir + "garbage.wav", QByteArray("RIFF garbage, not a wave at all").repeated(10));
    WriteBytes(dir + "cut.wav", BuildWave(150).left(30));

    QElapsedTimer total;
    total.start();
    nib::SoundPlayer player;
    QElapsedTimer timer;
    timer.start();
    player.Play(dir + "tone.wav");
    const qint64 first_us = timer.nsecsElapsed() / 1000;
    timer.restart();
    player.Play(dir + "tone.wav");
    const qint64 again_us = timer.nsecsElapsed() / 1000;
    timer.restart();
    for (const char* name : {"missing.wav", "garbage.wav", "cut.wav", "", "."}) {
      player.Play(dir + name);
    }
    player.Beep();
    const qint64 others_us = timer.nsecsElapsed() / 1000;
    QTest::qWait(300);  // let the loads finish
    timer.restart();
    for (int i = 0; i < 20; ++i) {
      player.Play(dir + (i % 2 ? "tone.wav" : "other.WAV"));
      player.Play(dir + "garbage.wav");
      player.Play(dir + "tone.wav");
    }
    const qint64 cached_us = timer.nsecsElapsed() / 1000;
    qInfo("Play: first %lld us, repeated %lld us, 5 unplayable and a beep %lld us, "
          "60 cached plays %lld us",
          first_us, again_us, others_us, cached_us);
    QVERIFY(first_us < 500'000);
    QVERIFY(again_us < 100'000);
    QVERIFY(others_us < 200'000);
    QVERIFY(cached_us < 500'000);
    QVERIFY(total.elapsed() < 3000);
  }

  void waveFormats_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("plays");
    QTest::newRow("16-bit mono") << BuildWave(3000) << true;
    QTest::newRow("8-bit mono") << BuildWave(3000, 1, 8) << true;
    QTest::newRow("16-bit stereo") << BuildWave(3000, 1, 16, 2) << true;
    QTest::newRow("24-bit") << BuildWave(3000, 1, 24) << true;
    QTest::newRow("float") << BuildWave(3000, 3, 32) << true;
    QTest::newRow("extensible 16-bit") << BuildWave(3000, 0xFFFE, 16) << true;
    // What is there of a cut-off sound still plays.
    QTest::newRow("data cut short") << BuildWave(3000).left(2000) << true;
    QTest::newRow("ADPCM") << BuildWave(3000, 2, 4) << false;
    QTest::newRow("no samples") << BuildWave(0) << false;
    QTest::newRow("header cut") << BuildWave(3000).left(30) << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("not a wave") << QByteArray("not a wave at all").repeated(50) << false;
    QByteArray no_fmt = BuildWave(3000);
    no_fmt.replace(12, 4, "junk");
    QTest::newRow("no format chunk") << no_fmt << false;
    QByteArray odd = BuildWave(3000);
    Patch16(odd, 22, 0);  // no channels
    QTest::newRow("zero channels") << odd << false;
  }

  void waveFormats() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, plays);
    const QString path = temp_.path() + "/formats/" + QTest::currentDataTag() + ".wav";
    WriteBytes(path, bytes);
    nib::SoundPlayer player;
    player.Play(path);
    if (plays) {
      QTRY_COMPARE_WITH_TIMEOUT(player.PlayingFiles(), QStringList{path}, 2000);
    } else {
      QTest::qWait(100);
      QCOMPARE(player.PlayingFiles(), QStringList());
    }
  }

  // One sound at a time: a new one cuts the old, the same one restarts,
  // and even a sound that cannot play stops the one before.
  void newSoundCutsTheOld() {
    const QString first = temp_.path() + "/cut/first.wav";
    const QString second = temp_.path() + "/cut/second.wav";
    WriteBytes(first, BuildWave(3000));
    WriteBytes(second, BuildWave(3000, 1, 8));
    nib::SoundPlayer player;
    player.Play(first);
    QTRY_COMPARE_WITH_TIMEOUT(player.PlayingFiles(), QStringList{first}, 2000);
    player.Play(second);
    QCOMPARE(player.PlayingFiles(), QStringList{second});
    for (int i = 0; i < 5; ++i) {
      player.Play(second);
      player.Play(first);
      QCOMPARE(player.PlayingFiles(), QStringList{first});
    }
    player.Play(first);
    QCOMPARE(player.PlayingFiles(), QStringList{first});
    player.Play(temp_.path() + "/cut/missing.wav");
    QCOMPARE(player.PlayingFiles(), QStringList());
  }

  // The player can go away while sounds load or play, even after broken
  // files that never finish loading in Qt's own decoder.
  void windowsComeBackOntoTheNearestScreen_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QPoint>("place");
    // Two screens side by side: 1920x1080 at 0,0 and 1280x1024 at 1920,0.
    QTest::newRow("on the first") << QRect(100, 100, 145, 198) << QPoint(100, 100);
    QTest::newRow("straddling both") << QRect(1850, 100, 145, 198) << QPoint(1850, 100);
    QTest::newRow("off the left") << QRect(-3000, 500, 145, 198) << QPoint(0, 500);
    QTest::newRow("off the top") << QRect(300, -800, 145, 198) << QPoint(300, 0);
    QTest::newRow("half off the top") << QRect(300, -50, 145, 198) << QPoint(300, 0);
    QTest::newRow("below the short screen") << QRect(2500, 1000, 145, 198)
                                            << QPoint(2500, 1024 - 198);
    QTest::newRow("off the right") << QRect(9000, 200, 145, 198) << QPoint(3200 - 145, 200);
    QTest::newRow("far off, no overflow") << QRect(-2000000000, -2000000000, 145, 198)
                                          << QPoint(0, 0);
  }

  void windowsComeBackOntoTheNearestScreen() {
    QFETCH(QRect, window);
    QFETCH(QPoint, place);
    const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    QCOMPARE(nib::PlaceOnScreens(window, screens), place);
    QCOMPARE(nib::PlaceOnScreens(window, {}), window.topLeft());
  }

  void playerDiesWhileBusy() {
    const QString dir = temp_.path() + "/dying/";
    WriteBytes(dir + "long.wav", BuildWave(500));
    WriteBytes(dir + "cut.wav", BuildWave(500).left(30));
    WriteBytes(dir + "short data.wav", BuildWave(500).left(1000));
    WriteBytes(dir + "empty.wav", QByteArray());
    QElapsedTimer timer;
    timer.start();
    {
      nib::SoundPlayer player;
      player.Play(dir + "long.wav");
    }
    {
      nib::SoundPlayer player;
      for (const char* name : {"cut.wav", "short data.wav", "empty.wav", "long.wav"}) {
        player.Play(dir + name);
      }
      QTest::qWait(200);
    }
    QVERIFY(timer.elapsed() < 2000);
  }
};

QTEST_MAIN(ShellServicesTest)
#include "shell_services_test.moc"
