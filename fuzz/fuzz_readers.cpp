// One fuzz target for every reader of outside input; the first byte picks
// the reader, the rest is its input. Each reader must return without reading
// outside its input, whatever the bytes. With the desktop launcher, any text
// made into Exec words (one, or two on a line) splits back into those words.
#include <cstddef>
#include <cstdint>
#include <QByteArrayView>

#include "fuzz_support.h"
#include "launcher/drop.h"
#include "launcher/shortcut_readers.h"
#include "platform/desktop_entry.h"
#include "platform/linux/desktop_lists.h"

namespace {

void CheckExecWords(const QString &text)
{
    // Words after the program come back whole whatever they hold; the program
    // word itself has rules of its own (no field code, no "=").
    const QString program = QStringLiteral("/usr/bin/true");
    FUZZ_CHECK(SplitExecLine(program + u' ' + ExecLineWord(text)) == (QStringList{program, text}));
    const qsizetype cut = text.indexOf(u'\n');
    if (cut < 0)
        return;
    const QStringList words{program, text.left(cut), text.mid(cut + 1)};
    FUZZ_CHECK(SplitExecLine(program + u' ' + ExecLineWord(words[1]) + u' ' + ExecLineWord(words[2])) == words);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (data[0] % 7) {
    case 0:
        ReadShellLink(input);
        break;
    case 1:
        ReadProgramInformation(input);
        break;
    case 2:
        ReadDesktopLauncher(input);
        SplitExecLine(QString::fromUtf8(input));
        CheckExecWords(QString::fromUtf8(input));
        break;
    case 3:
        ParseUriList(input);
        break;
    case 4:
        ParseRecentlyUsed(input);
        break;
    case 5:
        ParseMountTable(input, [](const QString &) { return false; }, [](const QString &) { return true; });
        break;
    case 6:
        ReadInternetShortcut(input);
        SplitCommandText(QString::fromUtf8(input));
        break;
    }
    return 0;
}
