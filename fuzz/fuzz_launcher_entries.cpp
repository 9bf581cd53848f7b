// The launcher entries of the "Lunch" section of Tockara.ini. Input: the
// file's bytes. Properties: at most 20 entries are read; every entry read
// can be stored, and its stored value parses back to the same entry; the
// list written back to the file loads back unchanged. Every line of the
// input is also parsed as a stored value on its own, with the same round trip.
#include "fuzz_support.h"
#include "launcher/launcher_list.h"

namespace {

void CheckStoredRoundTrip(const LauncherEntry &entry)
{
    if (!CanStoreEntry(entry))
        return;
    FUZZ_CHECK(ParseEntryValue(StoredEntryValue(entry)) == entry);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = InputBytes(data, size);
    for (const QByteArray &line : bytes.split('\n'))
        CheckStoredRoundTrip(ParseEntryValue(QString::fromUtf8(line)));

    const QString path = WriteScratchFile(QStringLiteral("launcher/Tockara.ini"), bytes);
    LauncherList list;
    LoadLauncherList(list, path);
    FUZZ_CHECK(list.LauncherCount() >= 0 && list.LauncherCount() <= LauncherList::Limit);
    for (const LauncherEntry &entry : list.entries) {
        FUZZ_CHECK(CanStoreEntry(entry));
        CheckStoredRoundTrip(entry);
    }
    LauncherMenuCaptions(list);

    FUZZ_CHECK(SaveLauncherList(list, path));
    LauncherList again;
    LoadLauncherList(again, path);
    FUZZ_CHECK(again.entries == list.entries);
    return 0;
}
