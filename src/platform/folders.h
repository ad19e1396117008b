#pragma once
// Where the program keeps its files. A copy run from a folder of its own
// keeps everything beside itself, as it always did; an installed copy (a
// folder it cannot write, or the folder it was installed into) keeps its
// settings in the user's configuration folder and the other files in the
// user's data folder.

#include <QString>

namespace platine {

struct Folders {
    QString program;  // the folder of the executable
    QString settings; // "param.ini"
    QString files;    // "histo.txt", "temp.txt", "temp2.txt", the "COMn" links
    bool beside() const { return settings == program; }
};

// The application name the user's folders are named after.
inline constexpr char kApplicationName[] = "platine";

// `installedBinDir`: the folder a package installs the program into; a
// program found there uses the user's folders even when it could write
// beside itself (run by root). The user's folders are made when missing.
Folders chooseFolders(const QString &programDir, const QString &installedBinDir = QString());

// The folder this build installs the program into ("/usr/bin" for the
// package).
QString installedBinDir();

// The folders of the program found in `programDir`: chooseFolders with this
// build's install folder.
Folders programFolders(const QString &programDir);

// True when a file can be made in `dir` (tried for real, then removed).
bool folderWritable(const QString &dir);

} // namespace platine
