#pragma once
// What the fuzz targets share: the check that stops a run when a property of
// the code under test fails, the input cut into parts, and a scratch folder
// for the readers that take files.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Stops the run when condition does not hold: libFuzzer keeps the input as a
// crash, and the corpus replay of the test suite fails.
#define FUZZ_CHECK(condition)                                                                   \
    do {                                                                                        \
        if (!(condition)) {                                                                     \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (false)

// The input as a byte array (a copy: the readers may keep what they are given).
QByteArray InputBytes(const uint8_t *data, size_t size);

// The input cut at the line "%%" (the bytes "\n%%\n") into at most count
// parts; missing parts are empty. Seeds write the parts one after another,
// so a mutation of one part leaves the others whole.
QList<QByteArray> InputParts(QByteArrayView input, int count);

// A folder of the process's own, removed when the process ends. It lies on a
// memory file system where there is one: the profile engine syncs every file
// it writes, which on a disk would slow each run to a crawl.
const QString &ScratchFolder();

// Writes bytes to name in the scratch folder (replacing what was there) and
// returns the file's path.
QString WriteScratchFile(const QString &name, QByteArrayView bytes);

// text as a CP932 file holds it: the characters that input methods type for
// glyphs of CP932 (〜 − ‖ — ¢ £ ¬) in the code page's own forms of them, the
// forms such a file reads back as. Every other character is kept.
QString WithCp932Forms(QString text);
