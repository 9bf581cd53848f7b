#pragma once
// Builds shell link files byte by byte in the published layout, for the
// reader tests: a header, an optional target item list, optional link
// information, and the string data.
#include <QByteArray>
#include <QString>

#include "settings/ansi_text.h"

class ShellLinkBuilder {
public:
    // The target as link information: a local path (or, with share set, a
    // network share and the path below it), in CP932.
    ShellLinkBuilder &localPath(const QString &path)
    {
        localPath_ = path;
        return *this;
    }
    ShellLinkBuilder &share(const QString &share, const QString &below)
    {
        share_ = share;
        localPath_ = below;
        return *this;
    }
    // The target as an item list: the computer, a volume ("C:\") and one
    // file entry per name with its long name in an extension block.
    ShellLinkBuilder &itemList(const QString &volume, const QStringList &names)
    {
        volume_ = volume;
        names_ = names;
        return *this;
    }
    ShellLinkBuilder &workingDirectory(const QString &folder)
    {
        workingDirectory_ = folder;
        return *this;
    }
    ShellLinkBuilder &arguments(const QString &arguments)
    {
        arguments_ = arguments;
        return *this;
    }
    ShellLinkBuilder &unicode(bool on = true)
    {
        unicode_ = on;
        return *this;
    }

    QByteArray bytes() const
    {
        quint32 flags = 0;
        QByteArray body;
        if (!volume_.isEmpty()) {
            flags |= 0x01;
            const QByteArray list = ItemList();
            body += U16(quint16(list.size())) + list;
        }
        if (!localPath_.isNull()) {
            flags |= 0x02;
            body += LinkInfo();
        }
        body += Name();   // a description, to check the order of the strings
        flags |= 0x04;
        if (!workingDirectory_.isNull()) {
            flags |= 0x10;
            body += Text(workingDirectory_);
        }
        if (!arguments_.isNull()) {
            flags |= 0x20;
            body += Text(arguments_);
        }
        if (unicode_)
            flags |= 0x80;
        QByteArray header(76, '\0');
        Put32(header, 0, 0x4C);
        const char clsid[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0, char(0xC0), 0, 0, 0, 0, 0, 0, 0x46};
        header.replace(4, 16, QByteArray(clsid, 16));
        Put32(header, 20, flags);
        return header + body;
    }

private:
    static QByteArray U16(quint16 v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); }
    static QByteArray U32(quint32 v) { return U16(quint16(v & 0xFFFF)) + U16(quint16(v >> 16)); }
    static void Put32(QByteArray &b, int at, quint32 v) { b.replace(at, 4, U32(v)); }
    static QByteArray Utf16(const QString &s)
    {
        QByteArray out;
        for (QChar c : s)
            out += U16(c.unicode());
        return out;
    }

    QByteArray Text(const QString &s) const
    {
        if (unicode_)
            return U16(quint16(s.size())) + Utf16(s);
        const QByteArray ansi = EncodeAnsi(s);
        return U16(quint16(ansi.size())) + ansi;
    }
    QByteArray Name() const { return Text(QStringLiteral("説明")); }

    QByteArray LinkInfo() const
    {
        const QByteArray first = EncodeAnsi(share_.isEmpty() ? localPath_ : QString()) + '\0';
        QByteArray info(0x1C, '\0');
        if (share_.isEmpty()) {
            Put32(info, 8, 0x01);                       // local path
            Put32(info, 16, 0x1C);                      // local base path
            Put32(info, 24, quint32(0x1C + first.size()));  // empty suffix
            info += first + '\0';
        } else {
            Put32(info, 8, 0x02);                       // network share
            QByteArray network(0x14, '\0');
            const QByteArray name = EncodeAnsi(share_) + '\0';
            Put32(network, 0, quint32(0x14 + name.size()));
            Put32(network, 8, 0x14);
            network += name;
            Put32(info, 20, 0x1C);
            Put32(info, 24, quint32(0x1C + network.size()));
            info += network + EncodeAnsi(localPath_) + '\0';
        }
        Put32(info, 0, quint32(info.size()));
        Put32(info, 4, 0x1C);
        return info;
    }

    QByteArray ItemList() const
    {
        QByteArray list;
        // The computer.
        QByteArray root = QByteArray(1, char(0x1F)) + char(0x50) + QByteArray(16, '\x11');
        list += U16(quint16(root.size() + 2)) + root;
        QByteArray volume = QByteArray(1, char(0x2F)) + EncodeAnsi(volume_) + '\0';
        volume.resize(0x17, '\0');
        list += U16(quint16(volume.size() + 2)) + volume;
        for (const QString &name : names_) {
            // A short name in CP932, then the 0xBEEF0004 block (version 9)
            // with the long name in UTF-16.
            QByteArray item = QByteArray(1, char(0x32)) + '\0' + QByteArray(10, '\0');
            item += "SHORT~1" + QByteArray(1, '\0');
            if ((item.size() + 2) % 2)
                item += '\0';
            QByteArray block = U16(0) + U16(9) + U32(0xBEEF0004) + QByteArray(8, '\0') + U16(0x2E);
            block += QByteArray(46 - block.size(), '\0');
            block += Utf16(name) + U16(0) + U16(0);
            block.replace(0, 2, U16(quint16(block.size())));
            item += block;
            list += U16(quint16(item.size() + 2)) + item;
        }
        return list + U16(0);
    }

    QString localPath_;
    QString share_;
    QString volume_;
    QStringList names_;
    QString workingDirectory_;
    QString arguments_;
    bool unicode_ = false;
};
