#include "fuzz_support.h"

#include <cstring>
#include <memory>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QTemporaryDir>

QByteArray InputBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

QList<QByteArray> InputParts(QByteArrayView input, int count)
{
    static constexpr char kMarker[] = "\n%%\n";
    constexpr size_t kMarkerSize = sizeof kMarker - 1;
    QList<QByteArray> parts;
    const char *rest = input.data();
    size_t left = size_t(input.size());
    while (int(parts.size()) < count - 1) {
        // memmem, so that libFuzzer learns the marker from the comparison.
        const void *found = left ? memmem(rest, left, kMarker, kMarkerSize) : nullptr;
        if (!found)
            break;
        const size_t length = size_t(static_cast<const char *>(found) - rest);
        parts.append(QByteArray(rest, qsizetype(length)));
        rest += length + kMarkerSize;
        left -= length + kMarkerSize;
    }
    parts.append(QByteArray(rest, qsizetype(left)));
    while (int(parts.size()) < count)
        parts.append(QByteArray());
    return parts;
}

const QString &ScratchFolder()
{
    static const auto folder = [] {
        const QString memory = QStringLiteral("/dev/shm");
        const QString base = QFileInfo(memory).isWritable() ? memory : QDir::tempPath();
        auto dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tockara-fuzz-XXXXXX"));
        if (!dir->isValid()) {
            std::fprintf(stderr, "cannot make a scratch folder in %s\n", qPrintable(base));
            std::abort();
        }
        return dir;
    }();
    static const QString path = folder->path();
    return path;
}

QString WriteScratchFile(const QString &name, QByteArrayView bytes)
{
    const QString path = ScratchFolder() + u'/' + name;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(bytes.data(), bytes.size()) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

QString WithCp932Forms(QString text)
{
    static const QList<QPair<char16_t, char16_t>> forms = {
        {0x301C, 0xFF5E}, {0x2212, 0xFF0D}, {0x2016, 0x2225}, {0x2014, 0x2015},
        {0x00A2, 0xFFE0}, {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2},
    };
    for (const auto &[typed, stored] : forms)
        text.replace(QChar(typed), QChar(stored));
    return text;
}
