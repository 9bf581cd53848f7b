#pragma once
// The ARJ component, on the 7-Zip program run as a child process.
#include <QByteArray>
#include <QList>
#include <QString>

// One entry of 7-Zip's technical listing.
struct ListedEntry {
    QByteArray path;  // as 7-Zip names it, which is also its name on disk
    bool folder = false;
};

// The entries of a technical listing ("l -slt -ba"): blocks of "Key = value"
// lines, each beginning with "Path".
QList<ListedEntry> ParseListing(const QByteArray &listing);

// A stored path that cannot leave the private folder it is extracted into.
bool StaysInside(const QByteArray &path);

class SevenZipArchiver {
public:
    // program: the 7-Zip program, a name looked up on PATH or a path.
    explicit SevenZipArchiver(QString program);
    // false when the program cannot be found: the component cannot be loaded.
    bool available() const;
    // Extracts every entry of the ARJ archive into target (see
    // ArchiverService::run for what is refused); returns an ArchiverResult.
    int extract(const QString &archive, const QString &target) const;

private:
    QString resolved() const;
    QString program_;
};
