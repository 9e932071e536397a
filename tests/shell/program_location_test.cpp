// Finding the program folder: beside the program first, then the installed
// data folder relative to it, so that a moved prefix still finds its data.
#include <QDir>
#include <QFile>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/program_location.h"

namespace {

using nib::ProgramLocation;

// A file system holding just the given folders.
struct FakeFolders {
  FakeFolders(std::initializer_list<QString> names = {}) : folders(names) {}
  QSet<QString> folders;
  QStringList asked;
  bool operator()(const QString& path) {
    asked << path;
    return folders.contains(path);
  }
};

}  // namespace

class ProgramLocationTest : public QObject {
  Q_OBJECT

 private slots:
  void BesideTheProgramComesFirst() {
    FakeFolders fs{"/opt/toy/bin/colors/Default", "/opt/toy/share/nibbet-simulator/colors/Default"};
    QCOMPARE(ProgramLocation("/opt/toy/bin", std::ref(fs)), QString("/opt/toy/bin"));
  }

  void TheInstalledFolderIsFoundFromTheBinary() {
    FakeFolders fs{"/opt/toy/share/nibbet-simulator/colors/Default"};
    QCOMPARE(ProgramLocation("/opt/toy/bin", std::ref(fs)),
             QString("/opt/toy/share/nibbet-simulator"));
    // Asked in order, each with a clean path.
    QCOMPARE(fs.asked, QStringList({"/opt/toy/bin/colors/Default",
                                    "/opt/toy/share/nibbet-simulator/colors/Default"}));
  }

  void AFolderWithoutTheDefaultColourIsNotTheProgramFolder() {
    // A share folder of some other program, or a half-removed install.
    FakeFolders fs{"/usr/share/nibbet-simulator", "/usr/share/nibbet-simulator/colors",
                    "/usr/bin/colors/Mint"};
    QCOMPARE(ProgramLocation("/usr/bin", std::ref(fs)), QString("/usr/bin"));
  }

  void WithNeitherTheProgramsOwnFolderIsKept() {
    FakeFolders fs;
    QCOMPARE(ProgramLocation("/somewhere/else", std::ref(fs)), QString("/somewhere/else"));
  }

  // The real file system, laid out as an install to a prefix.
  void AMovedPrefixFindsItsOwnData() {
    if (QDir::isAbsolutePath(nib::kInstalledProgramFolder))
      QSKIP("the install puts the data in a fixed folder");
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString bin = root.filePath("moved/bin");
    const QString data = QDir::cleanPath(bin + "/" + nib::kInstalledProgramFolder);
    QVERIFY(QDir().mkpath(bin));
    QCOMPARE(ProgramLocation(bin), bin);
    QVERIFY(QDir().mkpath(data + "/colors/Default"));
    QCOMPARE(ProgramLocation(bin), data);
    // A plain file of that name is not a folder of pictures.
    QVERIFY(QDir(data + "/colors").removeRecursively());
    QVERIFY(QDir().mkpath(data + "/colors"));
    QFile file(data + "/colors/Default");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(ProgramLocation(bin), bin);
    // The build tree's layout: the data beside the program wins.
    QVERIFY(QDir().mkpath(bin + "/colors/Default"));
    QVERIFY(QFile::remove(data + "/colors/Default"));
    QVERIFY(QDir().mkpath(data + "/colors/Default"));
    QCOMPARE(ProgramLocation(bin), bin);
  }
};

QTEST_GUILESS_MAIN(ProgramLocationTest)
#include "program_location_test.moc"
