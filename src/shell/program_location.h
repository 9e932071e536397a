// Where the program folder is: beside the program file (the build tree, an
// unpacked copy), else the data folder of an installed prefix, found
// relative to the program file so that the prefix can be moved.
#pragma once

#include <QString>
#include <functional>

namespace nib {

// The installed data folder, relative to the folder holding the program.
extern const char kInstalledProgramFolder[];

// The first candidate that holds the Default colour, as told by
// is_folder(path); the binary's own folder when neither does, so that what
// is missing is reported against it as before.
QString ProgramLocation(const QString& binary_dir,
                        const std::function<bool(const QString&)>& is_folder);

// The same, asking the file system.
QString ProgramLocation(const QString& binary_dir);

}  // namespace nib
