// One fuzz target for every reader of outside input; the first byte picks
// the reader, the rest is its input. Each reader must return without reading
// outside its input, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <QByteArrayView>

#include "launcher/drop.h"
#include "launcher/shortcut_readers.h"
#include "platform/desktop_entry.h"
#include "platform/linux/desktop_lists.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArrayView input(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (data[0] % 6) {
    case 0:
        ReadShellLink(input);
        break;
    case 1:
        ReadProgramInformation(input);
        break;
    case 2:
        ReadDesktopLauncher(input);
        SplitExecLine(QString::fromUtf8(input));
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
    }
    return 0;
}
