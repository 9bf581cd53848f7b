#include "support/archive_bytes.h"

#include <QStringEncoder>
#include <QtEndian>

namespace {

quint32 Crc32(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (crc & 1 ? 0xEDB88320 : 0);
    }
    return ~crc;
}

// The CRC-16 of LZH archives (polynomial 0xA001, reflected, from 0).
quint16 Crc16(const QByteArray &bytes)
{
    quint16 crc = 0;
    for (char byte : bytes) {
        crc ^= static_cast<quint8>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (crc & 1 ? 0xA001 : 0);
    }
    return crc;
}

// Little-endian fields.
struct Bytes {
    QByteArray out;
    Bytes &u8(int v) { out.append(char(v)); return *this; }
    Bytes &u16(int v) { u8(v & 0xFF); return u8((v >> 8) & 0xFF); }
    Bytes &u32(quint32 v) { u16(v & 0xFFFF); return u16(v >> 16); }
    Bytes &raw(const QByteArray &b) { out.append(b); return *this; }
};

constexpr int kDosDate = 0x21;  // 1 January 1980

} // namespace

QByteArray ZipBytes(const QList<ArchiveItem> &items, bool utf8Names)
{
    Bytes local, central;
    for (const ArchiveItem &item : items) {
        const int flags = (utf8Names ? 0x800 : 0) | (item.encrypted ? 1 : 0);
        const quint32 offset = local.out.size();
        const quint32 crc = Crc32(item.data) ^ (item.wrongCrc ? 1 : 0);
        // An encrypted entry starts with the 12 bytes of its encryption header.
        const QByteArray data = item.encrypted ? QByteArray(12, '\x5a') + item.data : item.data;
        const quint32 stated = item.statedSize >= 0 ? quint32(item.statedSize) : quint32(item.data.size());
        local.u32(0x04034b50).u16(20).u16(flags).u16(item.zipMethod).u16(0).u16(kDosDate).u32(crc)
            .u32(data.size()).u32(stated).u16(item.name.size()).u16(0)
            .raw(item.name).raw(data);
        const bool unix = item.kind == ArchiveItem::Link || item.kind == ArchiveItem::Device || item.mode;
        const quint32 attributes = item.mode                          ? item.mode << 16
                                   : item.kind == ArchiveItem::Link     ? 0120777u << 16
                                   : item.kind == ArchiveItem::Device ? 0020644u << 16
                                   : item.kind == ArchiveItem::Folder ? 0x10
                                                                      : 0x20;
        central.u32(0x02014b50).u16(unix ? 0x0314 : 20).u16(20).u16(flags).u16(item.zipMethod).u16(0)
            .u16(kDosDate).u32(crc).u32(data.size()).u32(stated)
            .u16(item.name.size()).u16(0).u16(0).u16(0).u16(0).u32(attributes).u32(offset)
            .raw(item.name);
    }
    Bytes end;
    end.u32(0x06054b50).u16(0).u16(0).u16(items.size()).u16(items.size())
        .u32(central.out.size()).u32(local.out.size()).u16(0);
    return local.out + central.out + end.out;
}

QByteArray ZipBombBytes(quint32 statedSize)
{
    // 64 MiB of zeros compressed with bzip2 (ZIP method 12), 79 bytes.
    const QByteArray packed = QByteArray::fromHex(
        "425a68393141592653590e09e2df015f8e4000c0000008200030804d4642a025a90a8097314159265359bc04b"
        "5c300a275c000c0000008200020a40836328a884d2a2a2138bb9229c2848500bb83e8");
    const quint32 size = statedSize;
    constexpr quint32 crc = 0xb2eb30ed;
    const QByteArray name = "zeros.bin";
    Bytes local, central;
    local.u32(0x04034b50).u16(46).u16(0).u16(12).u16(0).u16(kDosDate).u32(crc)
        .u32(packed.size()).u32(size).u16(name.size()).u16(0).raw(name).raw(packed);
    central.u32(0x02014b50).u16(46).u16(46).u16(0).u16(12).u16(0).u16(kDosDate).u32(crc)
        .u32(packed.size()).u32(size).u16(name.size()).u16(0).u16(0).u16(0).u16(0).u32(0x20)
        .u32(0).raw(name);
    Bytes end;
    end.u32(0x06054b50).u16(0).u16(0).u16(1).u16(1).u32(central.out.size())
        .u32(local.out.size()).u16(0);
    return local.out + central.out + end.out;
}

QByteArray LzhBytes(const QList<ArchiveItem> &items)
{
    QByteArray out;
    for (const ArchiveItem &item : items) {
        const bool folder = item.kind == ArchiveItem::Folder;
        const QByteArray method = !item.lzhMethod.isEmpty() ? item.lzhMethod : folder ? "-lhd-" : "-lh0-";
        Bytes header;
        header.raw(method).u32(item.data.size()).u32(item.data.size())
            .u16(0).u16(kDosDate).u8(folder ? 0x10 : 0x20).u8(0)
            .u8(item.name.size()).raw(item.name).u16(Crc16(item.data) ^ (item.wrongCrc ? 1 : 0));
        if (item.mode)  // 'U', its version, the time, the mode, the owner and group
            header.u8('U').u8(0).u32(0).u16(int(item.mode & 0xFFFF)).u16(0).u16(0);
        int sum = 0;
        for (char byte : header.out)
            sum += static_cast<quint8>(byte);
        out.append(char(header.out.size())).append(char(sum & 0xFF)).append(header.out)
            .append(item.data);
    }
    return out.append('\0');
}

QByteArray ArjBytes(const QList<ArchiveItem> &items)
{
    const auto header = [](const QByteArray &basic) {
        Bytes b;
        b.u8(0x60).u8(0xEA).u16(basic.size()).raw(basic).u32(Crc32(basic)).u16(0);
        return b.out;
    };
    Bytes main;
    main.u8(30).u8(11).u8(1).u8(0).u8(0).u8(0).u8(2).u8(0).u32(0).u32(0).u32(0).u32(0)
        .u16(0).u16(0).u16(0).raw(QByteArray("test.arj", 9)).u8(0);
    QByteArray out = header(main.out);
    for (const ArchiveItem &item : items) {
        const quint32 unixKind = item.mode & 0170000;
        const bool folder = item.kind == ArchiveItem::Folder || unixKind == 0040000;
        const bool special = item.mode && !folder && unixKind != 0 && unixKind != 0100000;
        // ARJ for Unix: the permission bits, and 0x1000 a file, 0x2000 a
        // folder, 0x4000 a link, pipe or device.
        const quint16 attributes = !item.mode ? (folder ? 0x10 : 0x20)
                                              : quint16((item.mode & 07777) | (special ? 0x4000 : folder ? 0x2000 : 0x1000));
        const int type = special ? 6 : folder ? 3 : 0;
        const QByteArray data = special ? QByteArray() : item.data;
        Bytes basic;
        // Flag 1: garbled (encrypted) with a password. Host 2: Unix.
        basic.u8(30).u8(11).u8(1).u8(item.mode ? 2 : 0).u8(item.encrypted ? 1 : 0).u8(0).u8(type).u8(0)
            .u32(kDosDate).u32(data.size()).u32(data.size())
            .u32(Crc32(data) ^ (item.wrongCrc ? 1 : 0))
            .u16(0).u16(attributes).u16(0).raw(item.name).u8(0).u8(0);
        Bytes entry;
        entry.u8(0x60).u8(0xEA).u16(basic.out.size()).raw(basic.out).u32(Crc32(basic.out));
        if (special) {  // what it is: 'U', then a link's target
            const QByteArray extended = QByteArray("U\0", 2) + char(unixKind == 0120000 ? 'C' : 0) + item.data;
            entry.u16(extended.size()).raw(extended).u32(Crc32(extended));
        }
        entry.u16(0);
        out += entry.out + data;
    }
    return out + QByteArray("\x60\xEA\0\0", 4);
}

QByteArray ShiftJis(const QString &text)
{
    return QStringEncoder("Shift_JIS")(text);
}
