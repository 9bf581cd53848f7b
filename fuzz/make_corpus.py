#!/usr/bin/env python3
"""Writes the hostile seed inputs of the fuzz targets into fuzz/corpus/<name>/.

    fuzz/make_corpus.py [name...]

writes the seeds of the targets named (every target when none is), each
under its own file name; seeds already in a corpus folder under other names
(hand-made ones, faults found earlier) are left alone. The seeds are the
attacks an archive, a shortcut or a settings file may carry, so that the
fuzzer starts from them and the corpus replay of the test suite checks each
one on every build. Archives are made here byte by byte (ZIP and LZH headers
written with struct), since the hostile ones are what no archiver makes.
"""
import os
import struct
import sys
import zlib

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus')
SEEDS = {}  # target name -> {file name: bytes}

# Where an escaping entry of the extraction seeds would land; the extraction
# target checks that nothing appears there.
ESCAPE = b'/tmp/tockara-fuzz-escape'


def seed(target, name, data):
    if isinstance(data, str):
        data = data.encode('utf-8')
    assert name not in SEEDS.setdefault(target, {}), (target, name)
    SEEDS[target][name] = data


def parts(*texts):
    """Inputs of the targets that read several parts: joined by "%%" lines."""
    return b'\n%%\n'.join(t.encode('utf-8') if isinstance(t, str) else t for t in texts)


# ---------------------------------------------------------------- ZIP

S_IFREG, S_IFDIR, S_IFLNK = 0o100000, 0o040000, 0o120000
S_IFIFO, S_IFCHR, S_IFBLK, S_IFSOCK = 0o010000, 0o020000, 0o060000, 0o140000
INT64_MAX = (1 << 63) - 1
DOS_TIME, DOS_DATE = 0x6000, 0x5A21  # 12:00, 2025-01-01


def deflate(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush()


class ZipEntry:
    """One entry; every field a hostile archive may lie in can be set."""

    def __init__(self, name, data=b'', mode=None, method=0, flags=0, size=None, packed_size=None,
                 crc=None, zip64=None, extra=b'', local_name=None, host=3, attributes=None,
                 payload=None):
        self.name = name.encode('utf-8') if isinstance(name, str) else name
        self.local_name = self.name if local_name is None else local_name
        self.data = data
        if mode is None:
            mode = (S_IFDIR | 0o755) if self.name.endswith(b'/') else (S_IFREG | 0o644)
        self.mode, self.method, self.flags, self.host = mode, method, flags, host
        self.payload = (deflate(data) if method == 8 else data) if payload is None else payload
        self.size = len(data) if size is None else size
        self.packed_size = len(self.payload) if packed_size is None else packed_size
        self.crc = zlib.crc32(data) if crc is None else crc
        self.zip64, self.extra = zip64, extra
        self.attributes = attributes


def zip_archive(entries, comment=b'', cut=None):
    """The archive's bytes; cut keeps only that many (a truncated download)."""
    body, directory = b'', b''
    for e in entries:
        offset = len(body)
        size, packed = e.size, e.packed_size
        local_extra = central_extra = e.extra
        if e.zip64:
            local_extra = struct.pack('<HHQQ', 1, 16, size, packed) + e.extra
            central_extra = struct.pack('<HHQQQ', 1, 24, size, packed, offset) + e.extra
            size = packed = 0xFFFFFFFF
        local = struct.pack('<IHHHHHIIIHH', 0x04034B50, 45 if e.zip64 else 20, e.flags, e.method,
                            DOS_TIME, DOS_DATE, e.crc, packed, size, len(e.local_name),
                            len(local_extra))
        body += local + e.local_name + local_extra + e.payload
        attributes = e.attributes
        if attributes is None:
            attributes = (e.mode << 16) | (0x10 if (e.mode & 0o170000) == S_IFDIR else 0)
        central = struct.pack('<IHHHHHHIIIHHHHHII', 0x02014B50, (e.host << 8) | 30,
                              45 if e.zip64 else 20, e.flags, e.method, DOS_TIME, DOS_DATE, e.crc,
                              packed, size, len(e.name), len(central_extra), 0, 0, 0,
                              attributes & 0xFFFFFFFF, 0xFFFFFFFF if e.zip64 else offset)
        directory += central + e.name + central_extra
    end = struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, len(entries), len(entries), len(directory),
                      len(body), len(comment))
    data = body + directory + end + comment
    return data if cut is None else data[:cut]


def zip_files(*names, mode=None):
    return [ZipEntry(n, b'' if n.endswith('/') else ('content of %s\n' % n).encode(), mode=mode)
            for n in names]


# ---------------------------------------------------------------- LZH


def crc16(data, crc=0):
    """The CRC-16 LZH archives check headers and data against (reflected 0xA001)."""
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def lzh_ext(kind, data):
    """One extended header of levels 1 and 2: its size (with this field), type, data."""
    return struct.pack('<HB', 3 + len(data), kind) + data


def lzh_mode(mode):
    return lzh_ext(0x50, struct.pack('<H', mode & 0xFFFF))


class LzhEntry:
    def __init__(self, name, data=b'', level=2, method=b'-lh0-', mode=None, folder=None,
                 size=None, packed_size=None, crc=None, extras=(), payload=None, attribute=0x20,
                 bad_header_check=False):
        self.name = name.encode('cp932') if isinstance(name, str) else name
        self.data, self.level, self.method = data, level, method
        self.mode, self.folder = mode, folder  # folder: the dirname header's bytes (0xFF separated)
        self.payload = data if payload is None else payload
        self.size = len(data) if size is None else size
        self.packed_size = len(self.payload) if packed_size is None else packed_size
        self.crc = crc16(data) if crc is None else crc
        self.extras, self.attribute = list(extras), attribute
        self.bad_header_check = bad_header_check

    def header(self):
        if self.level == 0:
            return self._level0()
        if self.level == 1:
            return self._level1()
        return self._level2()

    def _level0(self):
        # Unix mode from the extension LHa for UNIX adds to level 0 headers.
        unix = b'' if self.mode is None else struct.pack('<BBIHHH', ord('U'), 0, 0, self.mode & 0xFFFF,
                                                         0, 0)
        rest = (self.method + struct.pack('<IIIBBB', self.packed_size, self.size,
                                          DOS_DATE << 16 | DOS_TIME, self.attribute, 0,
                                          len(self.name) & 0xFF)
                + self.name + struct.pack('<H', self.crc) + unix)
        check = (sum(rest) + (1 if self.bad_header_check else 0)) & 0xFF
        return struct.pack('<BB', len(rest) & 0xFF, check) + rest

    def _level1(self):
        extras = b''.join(self.extras)
        if self.folder is not None:
            extras = lzh_ext(0x02, self.folder) + extras
        if self.mode is not None:
            extras += lzh_mode(self.mode)
        first_size = struct.unpack('<H', extras[:2])[0] if extras else 0
        # The base header ends with the size of the first extended header;
        # each extended header is counted with the packed data ("skip size").
        rest = (self.method + struct.pack('<IIIBBB', self.packed_size + len(extras), self.size,
                                          DOS_DATE << 16 | DOS_TIME, self.attribute, 1,
                                          len(self.name) & 0xFF)
                + self.name + struct.pack('<HBH', self.crc, ord('U'), first_size))
        check = (sum(rest) + (1 if self.bad_header_check else 0)) & 0xFF
        chain = extras[2:] + b'\0\0' if extras else b''
        return struct.pack('<BB', len(rest) & 0xFF, check) + rest + chain

    def _level2(self):
        extras = [lzh_ext(0x00, b'\0\0')]  # the header CRC, filled in below
        if self.name is not None:
            extras.append(lzh_ext(0x01, self.name))
        if self.folder is not None:
            extras.append(lzh_ext(0x02, self.folder))
        if self.mode is not None:
            extras.append(lzh_mode(self.mode))
        extras += self.extras
        chain = b''.join(extras) + b'\0\0'
        size = 24 + len(chain)
        fixed = (struct.pack('<H', size & 0xFFFF) + self.method
                 + struct.pack('<IIIBBHB', self.packed_size, self.size, 1735689600, 0x20, 2,
                               self.crc, ord('U')))
        header = bytearray(fixed + chain)
        check = crc16(bytes(header)) ^ (1 if self.bad_header_check else 0)
        header[24 + 3:24 + 5] = struct.pack('<H', check)
        return bytes(header)


def lzh_archive(entries, cut=None, end=b'\0'):
    data = b''.join(e.header() + e.payload for e in entries) + end
    return data if cut is None else data[:cut]


def lzh_files(*names, level=2, mode=None):
    entries = []
    for n in names:
        if n.endswith('/'):
            entries.append(LzhEntry(b'' if level == 2 else n.rstrip('/'), level=level, method=b'-lhd-',
                                    mode=mode, folder=n.encode('cp932').replace(b'/', b'\xff')
                                    if level == 2 else None))
        else:
            entries.append(LzhEntry(n, ('content of %s\n' % n).encode('utf-8'), level=level,
                                    mode=mode))
    return entries


# ---------------------------------------------------------------- ARJ

ARJ_DOS, ARJ_UNIX, ARJ_NEXT, ARJ_WIN32 = 0, 2, 8, 11
ARJ_BINARY, ARJ_TEXT, ARJ_DIRECTORY, ARJ_LABEL, ARJ_CHAPTER, ARJ_UNIX_SPECIAL = 0, 1, 3, 4, 5, 6
# ARJ for Unix keeps the permission bits and a kind of its own above them.
ARJ_FILE_KIND, ARJ_FOLDER_KIND, ARJ_SPECIAL_KIND = 0x1000, 0x2000, 0x4000


def arj_header(basic, extended=()):
    """A header: its mark, size, bytes and CRC-32, then extended headers up to a size of 0."""
    out = b'\x60\xea' + struct.pack('<H', len(basic)) + basic + struct.pack('<I', zlib.crc32(basic))
    for data in extended:
        out += struct.pack('<H', len(data)) + data + struct.pack('<I', zlib.crc32(data))
    return out + b'\0\0'


class ArjEntry:
    def __init__(self, name, data=b'', host=ARJ_UNIX, file_type=ARJ_BINARY, mode=None, method=0, flags=0x10,
                 crc=None, size=None, packed_size=None, extended=(), payload=None):
        self.name = name.encode('utf-8') if isinstance(name, str) else name
        self.data, self.host, self.file_type, self.method, self.flags = data, host, file_type, method, flags
        if mode is None:
            folder = file_type == ARJ_DIRECTORY
            mode = (ARJ_FOLDER_KIND | 0o755 if folder else ARJ_FILE_KIND | 0o644) if host in (ARJ_UNIX, ARJ_NEXT) \
                else (0x10 if folder else 0x20)
        self.mode = mode
        self.payload = data if payload is None else payload
        self.size = len(data) if size is None else size
        self.packed_size = len(self.payload) if packed_size is None else packed_size
        self.crc = zlib.crc32(data) if crc is None else crc
        self.extended = extended

    def bytes(self):
        basic = (struct.pack('<BBBBBBBBIIIIHHBB', 30, 11, 1, self.host, self.flags, self.method, self.file_type, 0,
                             DOS_DATE << 16 | DOS_TIME, self.packed_size & 0xFFFFFFFF, self.size & 0xFFFFFFFF,
                             self.crc, 0, self.mode & 0xFFFF, 0, 0)
                 + self.name + b'\0\0')
        return arj_header(basic, self.extended) + self.payload


def arj_archive(entries, cut=None, end=True):
    main = struct.pack('<BBBBBBBBIIIIHHBB', 30, 11, 1, ARJ_UNIX, 0x10, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0) + b'fuzz.arj\0\0'
    data = arj_header(main) + b''.join(e.bytes() for e in entries) + (b'\x60\xea\0\0' if end else b'')
    return data if cut is None else data[:cut]


def arj_special(name, unix_data, permissions=0o777):
    """A link, pipe or device as ARJ for Unix stores it: file type 6, described in an extended header."""
    return ArjEntry(name, file_type=ARJ_UNIX_SPECIAL, mode=ARJ_SPECIAL_KIND | permissions,
                    extended=[b'U\0' + unix_data])


# ---------------------------------------------------------------- extraction
# ZIP, LZH and ARJ archives extracted into a target that holds existing.txt,
# Tockara.ini, readonly.txt, folder/inner.txt and the links way-out (to the
# folder beside the target), sentinel-link (to the file beside it) and
# dangling (to ESCAPE).

# Shift-JIS names whose second byte is 0x5C, the byte of "\".
SJIS_HYOJI = '表示'.encode('cp932')        # 95 5C 8E A6
SJIS_SOFUTO = 'ソフト'.encode('cp932')      # 83 5C ...
SJIS_DAME = '駄目'.encode('cp932')          # 91 CA 96 DA
assert SJIS_HYOJI[1] == 0x5C and SJIS_SOFUTO[1] == 0x5C

CLIMBING_NAMES = [
    b'../sentinel.txt', b'../outside/kept.txt', b'../../tockara-fuzz-escape/x', b'./../sentinel.txt',
    b'a/./../../sentinel.txt', b'folder/../../outside/new.txt', b'..', b'a/..', b'../',
    b'..\\sentinel.txt', b'a\\..\\..\\outside\\new.txt', b'.\\..\\x', b'..\\', b'../../archive',
]
ABSOLUTE_NAMES = [
    ESCAPE + b'/absolute.txt', ESCAPE + b'/', b'//tmp/tockara-fuzz-escape/x', b'\\tmp\\tockara-fuzz-escape\\x',
    b'C:\\tmp\\x.txt', b'C:/x.txt', b'\\\\server\\share\\x', b'/',
]
NUL_NAMES = [b'ok.txt\x00../../sentinel.txt', b'folder/\x00x', b'\x00', b'a\x00/b']
SJIS_NAMES = [
    SJIS_HYOJI + b'.txt', SJIS_SOFUTO + b'\\' + SJIS_HYOJI + b'.txt', SJIS_HYOJI + b'\\..\\..\\x.txt',
    b'\x81\x5c..\x5c..\x5cx', SJIS_DAME + b'/' + SJIS_SOFUTO + b'/', b'\x95\x5c\x5c\x5c', b'\x95',
    b'\x83\x5c..', b'..\x83\x5c', b'\x81',
]
DOT_NAMES = [
    '.bashrc', '.config/autostart/evil.desktop', '.tockara-abc.part', '...', '.. ', '. hidden', 'a/.hidden',
    '.ssh/', '.ssh/authorized_keys', './.profile',
]
PROGRAM_NAMES = [
    'Tockara.ini', 'tockara', 'qt.conf', 'platformthemes/libx.so', 'platforms/libqxcb.so', 'Calender.ini',
    'NIKI2026.txt', 'invoice.pdf.desktop', 'autostart/evil.desktop', 'lib/tockara/modules/libtockara_libarchive.so',
]
EXISTING_NAMES = ['existing.txt', 'Tockara.ini', 'readonly.txt', 'folder/inner.txt', 'way-out', 'sentinel-link',
                  'dangling', 'way-out/new.txt', 'dangling/new.txt', 'sentinel-link/x', 'folder/new.txt',
                  'folder/sub/deeper.txt', '.tockara-stale.part', 'existing (2).txt']
# The extraction target keeps both, replaces or skips a taken name by the
# input's size (modulo 3); each seed of taken names comes in the three sizes.
CHOICES = ['keep_both', 'replace', 'skip']


def sized(make, choice):
    """The first of make(0), make(1), ... whose size picks that choice."""
    for padding in range(3):
        data = make(padding)
        if len(data) % 3 == choice:
            return data
    raise AssertionError('no size picks %d' % choice)


def desktop_launcher(command):
    return ('[Desktop Entry]\nType=Application\nName=Invoice\nExec=%s\n' % command).encode()


def extraction_zip_seeds():
    s = lambda name, entries, **kw: seed('extraction', 'zip_' + name, zip_archive(entries, **kw))
    s('plain', zip_files('readme.txt', 'docs/', 'docs/a.txt', 'docs/deeper/b.txt'))
    s('deflated', [ZipEntry('text.txt', b'words ' * 200, method=8), ZipEntry('empty.txt')])
    for i, name in enumerate(CLIMBING_NAMES):
        s('climbing_%02d' % i, [ZipEntry(name, b'climbed\n'), ZipEntry('after.txt', b'after\n')])
    s('climbing_all', [ZipEntry(n, b'x') for n in CLIMBING_NAMES])
    for i, name in enumerate(ABSOLUTE_NAMES):
        s('absolute_%02d' % i, [ZipEntry(name, b'absolute\n')])
    for i, name in enumerate(NUL_NAMES):
        s('nul_%02d' % i, [ZipEntry(name, b'nul\n')])
    for i, name in enumerate(SJIS_NAMES):
        s('shift_jis_%02d' % i, [ZipEntry(name, b'sjis\n')])
    # The same bytes marked as UTF-8, which they are not.
    s('shift_jis_utf8_flag', [ZipEntry(n, b'sjis\n', flags=0x800) for n in SJIS_NAMES])
    s('utf8_names', [ZipEntry('ダウンロード/ファイル.txt', b'x', flags=0x800), ZipEntry('ダウンロード/', flags=0x800)])
    s('overlong_utf8_dots', [ZipEntry(b'\xc0\xae\xc0\xae/x.txt', b'x', flags=0x800),
                             ZipEntry(b'\xe0\x80\xae\xe0\x80\xae/y', b'y', flags=0x800),
                             ZipEntry(b'%2e%2e/z', b'z')])
    s('control_chars', [ZipEntry(b'line\nbreak.txt', b'x'), ZipEntry(b'tab\tname', b'x'),
                        ZipEntry(b'\x7f\x1b[31m', b'x'), ZipEntry(b'\r', b'x')])
    # Links, FIFOs, devices and sockets, as the Unix mode of the external attributes.
    s('symlink_out', [ZipEntry('link', b'../outside', mode=S_IFLNK | 0o777),
                      ZipEntry('link/through.txt', b'through the link\n')])
    s('symlink_absolute', [ZipEntry('etc', ESCAPE, mode=S_IFLNK | 0o777),
                           ZipEntry('etc/passwd', b'root::0:0::/:/bin/sh\n')])
    s('symlink_over_existing', [ZipEntry('existing.txt', b'/etc/passwd', mode=S_IFLNK | 0o777)])
    s('symlink_chain', [ZipEntry('l1', b'l2', mode=S_IFLNK | 0o777), ZipEntry('l2', b'..', mode=S_IFLNK | 0o777),
                        ZipEntry('l1/x.txt', b'x')])
    s('symlink_folder_flag', [ZipEntry('dir/', b'../outside', mode=S_IFLNK | 0o777)])
    s('symlink_deflated', [ZipEntry('link', b'../../' * 20, mode=S_IFLNK | 0o777, method=8)])
    s('fifo', [ZipEntry('pipe', mode=S_IFIFO | 0o644), ZipEntry('after.txt', b'after')])
    s('char_device', [ZipEntry('null', mode=S_IFCHR | 0o666)])
    s('block_device', [ZipEntry('disk', b'\x08\x00', mode=S_IFBLK | 0o660)])
    s('socket', [ZipEntry('socket', mode=S_IFSOCK | 0o755)])
    s('unknown_type', [ZipEntry('odd', b'x', mode=0o170755), ZipEntry('none', b'x', mode=0o000755)])
    # PKWARE's Unix extra field, whose variable part names a link's target.
    s('pkware_unix_link', [ZipEntry('hard', b'', extra=struct.pack('<HHIIHH', 0x000D, 12 + 15, 0, 0, 0, 0)
                                     + b'../sentinel.txt')])
    s('unix_extras', [ZipEntry('owned.txt', b'x', extra=struct.pack('<HHBBIBI', 0x7875, 11, 1, 4, 0, 4, 0)
                                + struct.pack('<HHII', 0x5855, 8, 0, 0))])
    # Modes that would make an entry executable, or more.
    for name, mode in [('0755', 0o755), ('04755', 0o4755), ('02755', 0o2755), ('01777', 0o1777),
                       ('0777', 0o777), ('0711', 0o711), ('0100', 0o100), ('07777', 0o7777)]:
        s('mode_%s' % name, [ZipEntry('run.sh', b'#!/bin/sh\necho planted\n', mode=S_IFREG | mode)])
    s('mode_folder_07777', [ZipEntry('bin/', mode=S_IFDIR | 0o7777), ZipEntry('bin/tool', b'x', mode=S_IFREG | 0o755)])
    s('mode_folder_0000', [ZipEntry('locked/', mode=S_IFDIR), ZipEntry('locked/in.txt', b'x')])
    s('mode_dos_host', [ZipEntry('dos.exe', b'MZ', host=0, attributes=(S_IFREG | 0o755) << 16 | 0x21)])
    s('mode_launcher', [ZipEntry('invoice.pdf.desktop', desktop_launcher('sh -c "echo planted"'),
                                 mode=S_IFREG | 0o755)])
    # Names given twice, and a file and a folder of one name.
    s('duplicate', [ZipEntry('twice.txt', b'first\n'), ZipEntry('twice.txt', b'second\n')])
    s('duplicate_case', [ZipEntry('a.txt', b'lower'), ZipEntry('A.txt', b'upper'), ZipEntry('a.txt', b'again')])
    s('duplicate_folder', [ZipEntry('d/'), ZipEntry('d/'), ZipEntry('d/x', b'x'), ZipEntry('d//x', b'y'),
                           ZipEntry('d/./x', b'z')])
    s('file_then_folder', [ZipEntry('x', b'file'), ZipEntry('x/'), ZipEntry('x/y', b'inside')])
    s('folder_then_file', [ZipEntry('y/'), ZipEntry('y', b'file over folder')])
    s('folder_with_data', [ZipEntry('d/', b'data in a folder', mode=S_IFDIR | 0o755)])
    s('folder_over_existing_file', [ZipEntry('existing.txt/'), ZipEntry('Tockara.ini/inner.txt', b'x')])
    s('file_over_existing_folder', [ZipEntry('folder', b'file in place of the folder')])
    for i, name in enumerate(EXISTING_NAMES):
        for choice, choice_name in enumerate(CHOICES):
            seed('extraction', 'zip_existing_%02d_%s' % (i, choice_name), sized(
                lambda pad: zip_archive([ZipEntry(name, b'replaced\n'), ZipEntry(name + '.new', b'x')],
                                        comment=b'c' * pad), choice))
    s('existing_failing', [ZipEntry('existing.txt', b'short', size=1000), ZipEntry('Tockara.ini', b'x', crc=1)])
    s('dot_names', [ZipEntry(n, b'' if n.endswith('/') else b'hidden\n') for n in DOT_NAMES])
    for i, name in enumerate(DOT_NAMES):
        s('dot_%02d' % i, [ZipEntry(name, b'' if name.endswith('/') else b'hidden\n')])
    s('program_files', [ZipEntry(n, b'[Setting]\nFileManger=/bin/sh -c "echo planted"\n') for n in PROGRAM_NAMES])
    s('dots_only', zip_files('.', './', 'a/./b.txt', './c.txt', '', '/'))
    # Sizes: ZIP64 sizes that overflow a sum, lies about sizes and checksums.
    s('zip64_two_int64_max', [ZipEntry('big1', b'x', zip64=True, size=INT64_MAX),
                              ZipEntry('big2', b'y', zip64=True, size=INT64_MAX)])
    s('zip64_three_near_max', [ZipEntry('b%d' % i, b'x', zip64=True, size=INT64_MAX // 2 + 1) for i in range(3)])
    s('zip64_int64_max_packed', [ZipEntry('big', b'x', zip64=True, packed_size=INT64_MAX)])
    s('zip64_negative', [ZipEntry('neg', b'x', zip64=True, size=(1 << 64) - 1),
                         ZipEntry('neg2', b'x', zip64=True, size=1 << 63)])
    s('zip64_honest', [ZipEntry('small', b'zip64 entry\n', zip64=True)])
    s('understated_deflate', [ZipEntry('bomb.txt', b'A' * 65536, method=8, size=10)])
    s('understated_stored', [ZipEntry('short.txt', b'0123456789' * 10, size=5)])
    s('overstated', [ZipEntry('long.txt', b'0123456789', size=100000)])
    s('packed_overstated', [ZipEntry('over.txt', b'abc', packed_size=5000), ZipEntry('next.txt', b'next')])
    s('packed_understated', [ZipEntry('under.txt', b'A' * 1000, method=8, packed_size=3)])
    s('bad_crc', [ZipEntry('crc.txt', b'checked\n', crc=0xDEADBEEF), ZipEntry('fine.txt', b'fine\n')])
    # More than the output any ratio allows (8 MB), from 9 KB.
    s('ratio_bomb', [ZipEntry('zeros.bin', b'\0' * (9 << 20), method=8)])
    s('ratio_bomb_understated', [ZipEntry('zeros.bin', b'\0' * (9 << 20), method=8, size=100)])
    s('unknown_method', [ZipEntry('m.bin', b'junk', method=14), ZipEntry('n.bin', b'junk', method=99)])
    s('deflate_junk', [ZipEntry('junk.txt', b'', method=8, payload=b'\xff' * 40, size=40)])
    # Encrypted entries (traditional and AES), also where only one header says so.
    s('encrypted', [ZipEntry('secret.txt', b'', flags=1, payload=bytes(range(12)) + b'cipher', size=6)])
    s('encrypted_aes', [ZipEntry('aes.txt', b'', method=99, flags=1, payload=bytes(28), size=4,
                                 extra=struct.pack('<HHH2sBH', 0x9901, 7, 2, b'AE', 3, 8))])
    s('encrypted_strong', [ZipEntry('strong.txt', b'x', flags=0x41)])
    # Local headers that disagree with the central directory.
    s('local_name_climbs', [ZipEntry('safe.txt', b'x', local_name=b'../sentinel.txt')])
    s('local_name_absolute', [ZipEntry('safe.txt', b'x', local_name=ESCAPE + b'/x')])
    s('unicode_path_extra', [ZipEntry('safe.txt', b'x', extra=struct.pack('<HHBI', 0x7075, 5 + 15, 1,
                                                                         zlib.crc32(b'safe.txt')) + b'../sentinel.txt')])
    s('data_descriptor', [ZipEntry('streamed.txt', b'streamed data\n', method=8, flags=0x08)])
    # Truncated and otherwise broken archives.
    whole = zip_archive(zip_files('one.txt', 'two/', 'two/three.txt'))
    for cut in (10, 40, 60, len(whole) // 2, len(whole) - 30, len(whole) - 1):
        seed('extraction', 'zip_truncated_%04d' % cut, whole[:cut])
    seed('extraction', 'zip_empty', zip_archive([]))
    seed('extraction', 'zip_end_only_lies', struct.pack('<IHHHHIIH', 0x06054B50, 0, 0, 0xFFFF, 0xFFFF,
                                                        0xFFFFFFFF, 0xFFFFFFFF, 0))
    s('comment_with_end_record', [ZipEntry('a.txt', b'a')], comment=b'PK\x05\x06' + b'\0' * 18)
    seed('extraction', 'zip_prefixed', b'MZ' + b'\0' * 100 + zip_archive(zip_files('sfx.txt')))
    # Deep nesting, long names and many entries.
    s('deep', [ZipEntry('d/' * 900 + 'leaf.txt', b'deep')])
    s('deep_folders', [ZipEntry('n/' * i) for i in range(1, 60)] + [ZipEntry('n/' * 59 + 'x', b'x')])
    s('long_component', [ZipEntry('l' * 300 + '.txt', b'x'), ZipEntry('m' * 255, b'x'), ZipEntry('ok.txt', b'x')])
    s('long_path', [ZipEntry(('p' * 250 + '/') * 6 + 'f', b'x')])
    s('many_entries', [ZipEntry('e%03d.txt' % i, b'%d' % i) for i in range(40)])


def extraction_lzh_seeds():
    s = lambda name, entries, **kw: seed('extraction', 'lzh_' + name, lzh_archive(entries, **kw))
    for level in (0, 1, 2):
        s('plain_level%d' % level, lzh_files('readme.txt', 'docs/', 'docs/a.txt', level=level))
    s('level0_dos_path', [LzhEntry(b'docs\\a.txt', b'dos path', level=0)])
    s('level1_folder_header', [LzhEntry('a.txt', b'in a folder', level=1, folder=b'docs\xff')])
    for i, name in enumerate(CLIMBING_NAMES + ABSOLUTE_NAMES):
        s('climbing_%02d' % i, [LzhEntry(name, b'climbed\n'), LzhEntry('after.txt', b'after\n')])
    for level in (0, 1):
        s('climbing_all_level%d' % level, [LzhEntry(n, b'x', level=level) for n in CLIMBING_NAMES + ABSOLUTE_NAMES])
    # Climbing and absolute folder headers (0xFF separates their parts).
    for i, folder in enumerate([b'..\xff', b'..\xff..\xff', b'\xfftmp\xfftockara-fuzz-escape\xff', b'a\xff..\xff..\xff',
                                b'way-out\xff', b'dangling\xff', b'.\xff..\xff', b'\xff', b'..\\..\xff']):
        for level in (1, 2):
            s('folder_header_level%d_%02d' % (level, i), [LzhEntry('x.txt', b'x', level=level, folder=folder)])
    s('utf16_name_climbs', [LzhEntry(None, b'x', extras=[lzh_ext(0x44, '../sentinel.txt'.encode('utf-16-le'))])])
    s('utf16_folder_absolute', [LzhEntry('x', b'x', extras=[lzh_ext(0x45, '\uffff'.join(['', 'tmp', 'tockara-fuzz-escape', ''])
                                                                      .encode('utf-16-le'))])])
    s('codepage_utf8', [LzhEntry('ダウンロード.txt'.encode('utf-8'), b'x', extras=[lzh_ext(0x46, struct.pack('<I', 65001))])])
    s('codepage_odd', [LzhEntry(b'x.txt', b'x', extras=[lzh_ext(0x46, struct.pack('<I', 99999))])])
    for i, name in enumerate(NUL_NAMES):
        s('nul_level0_%02d' % i, [LzhEntry(name, b'nul', level=0)])
        s('nul_level2_%02d' % i, [LzhEntry(name, b'nul')])
    for i, name in enumerate(SJIS_NAMES):
        s('shift_jis_level%d_%02d' % (i % 3, i), [LzhEntry(name, b'sjis\n', level=i % 3)])
    s('shift_jis_folder', [LzhEntry(SJIS_HYOJI + b'.txt', b'x', folder=SJIS_SOFUTO + b'\xff')])
    # Unix modes: links ("name|target"), FIFOs, devices, sockets, set-id bits.
    for level in (0, 1, 2):
        s('symlink_level%d' % level, [LzhEntry(b'link|../outside', level=level, mode=S_IFLNK | 0o777),
                                      LzhEntry('link/through.txt', b'through', level=level)])
        s('symlink_absolute_level%d' % level, [LzhEntry(b'etc|' + ESCAPE, level=level, mode=S_IFLNK | 0o777)])
        s('mode_0755_level%d' % level, [LzhEntry('run.sh', b'#!/bin/sh\necho planted\n', level=level,
                                                 mode=S_IFREG | 0o755)])
        s('mode_04755_level%d' % level, [LzhEntry('suid', b'x', level=level, mode=S_IFREG | 0o4755)])
    s('symlink_over_existing', [LzhEntry(b'existing.txt|/etc/passwd', mode=S_IFLNK | 0o777)])
    s('symlink_without_target', [LzhEntry(b'lonely', mode=S_IFLNK | 0o777), LzhEntry(b'|x', mode=S_IFLNK | 0o777)])
    for name, mode in [('fifo', S_IFIFO | 0o644), ('char_device', S_IFCHR | 0o666), ('block_device', S_IFBLK | 0o660),
                       ('socket', S_IFSOCK | 0o755), ('type_bits_only', 0o170000), ('mode_07777', S_IFREG | 0o7777)]:
        s(name, [LzhEntry(name, b'', mode=mode), LzhEntry('after.txt', b'after')])
    s('folder_mode_07777', [LzhEntry(b'', method=b'-lhd-', folder=b'bin\xff', mode=S_IFDIR | 0o7777),
                            LzhEntry('tool', b'x', folder=b'bin\xff', mode=S_IFREG | 0o755)])
    s('new_attribute_mode', [LzhEntry('new.sh', b'x', extras=[lzh_ext(0xFF, struct.pack('<IIIII', S_IFREG | 0o4755, 0, 0, 0, 0))])])
    s('new_attribute_link', [LzhEntry(b'nl|..', extras=[lzh_ext(0xFF, struct.pack('<IIIII', S_IFLNK | 0o777, 0, 0, 0, 0))])])
    s('os2_attribute_mode', [LzhEntry('os2.cmd', b'x', extras=[lzh_ext(0x7F, struct.pack('<HHHHII', 0, S_IFREG | 0o6755, 0, 0, 0, 0))])])
    s('mode_launcher', [LzhEntry('invoice.pdf.desktop', desktop_launcher('sh -c "echo planted"'), mode=S_IFREG | 0o755)])
    # Names given twice, files and folders of one name, existing names.
    s('duplicate', [LzhEntry('twice.txt', b'first'), LzhEntry('twice.txt', b'second')])
    s('file_then_folder', [LzhEntry('x', b'file'), LzhEntry(b'', method=b'-lhd-', folder=b'x\xff'),
                           LzhEntry('y', b'inside', folder=b'x\xff')])
    s('folder_over_existing_file', [LzhEntry(b'', method=b'-lhd-', folder=b'existing.txt\xff')])
    s('file_over_existing_folder', [LzhEntry('folder', b'file in place of the folder')])
    s('folder_with_data', [LzhEntry(b'', b'data', method=b'-lhd-', folder=b'd\xff')])
    for i, name in enumerate(EXISTING_NAMES):
        for choice, choice_name in enumerate(CHOICES):
            seed('extraction', 'lzh_existing_%02d_%s' % (i, choice_name), sized(
                lambda pad: lzh_archive([LzhEntry(name, b'replaced\n', level=i % 3)], end=b'\0' * (1 + pad)),
                choice))
    for i, name in enumerate(DOT_NAMES):
        s('dot_%02d' % i, lzh_files(name, level=i % 3))
    s('program_files', [LzhEntry(n, b'[Setting]\nFileManger=/bin/sh -c "echo planted"\n') for n in PROGRAM_NAMES])
    # Sizes: the large-size header, lies, checksums.
    big = lzh_ext(0x42, struct.pack('<QQ', 1, INT64_MAX))
    s('size_two_int64_max', [LzhEntry('big1', b'x', extras=[big]), LzhEntry('big2', b'y', extras=[big])])
    s('size_negative', [LzhEntry('neg', b'x', extras=[lzh_ext(0x42, struct.pack('<QQ', 1, (1 << 64) - 1))])])
    s('size_packed_huge', [LzhEntry('huge', b'x', extras=[lzh_ext(0x42, struct.pack('<QQ', INT64_MAX, 1))])])
    s('understated', [LzhEntry('short.txt', b'0123456789' * 10, size=5)])
    s('overstated', [LzhEntry('long.txt', b'0123456789', size=100000)])
    s('packed_overstated', [LzhEntry('over.txt', b'abc', packed_size=5000)])
    s('bad_data_crc', [LzhEntry('crc.txt', b'checked', crc=0x1234), LzhEntry('fine.txt', b'fine')])
    for level in (0, 1, 2):
        s('bad_header_check_level%d' % level, [LzhEntry('bad.txt', b'x', level=level, bad_header_check=True)])
    for method in (b'-lh5-', b'-lh6-', b'-lh7-', b'-lh1-', b'-lh4-', b'-lzs-', b'-lz5-', b'-lz4-', b'-lh9-', b'-pm2-'):
        name = method.strip(b'-').decode()
        s('method_%s' % name, [LzhEntry('packed.txt', b'', method=method, payload=bytes(range(0, 256, 7)) * 2,
                                        size=4000)])
    # A level-3 header, whose sizes are 4 bytes wide.
    chain = (struct.pack('<IBH', 7, 0x00, 0) + struct.pack('<IB', 5 + 15, 0x01) + b'../sentinel.txt'
             + struct.pack('<I', 0))
    fixed = struct.pack('<H', 4) + b'-lh0-' + struct.pack('<IIIBBHBI', 1, 1, 0, 0x20, 3, crc16(b'x'), ord('U'),
                                                          28 + len(chain))
    header = bytearray(fixed + chain)
    header[28 + 5:28 + 7] = struct.pack('<H', crc16(bytes(header)))
    seed('extraction', 'lzh_level3_climbing', bytes(header) + b'x' + b'\0')
    whole = lzh_archive(lzh_files('one.txt', 'two/', 'two/three.txt'))
    for cut in (5, 22, 30, len(whole) // 2, len(whole) - 5, len(whole) - 1):
        seed('extraction', 'lzh_truncated_%04d' % cut, whole[:cut])
    s('no_end_mark', lzh_files('a.txt'), end=b'')
    seed('extraction', 'lzh_self_extracting', b'MZ' + b'\0' * 200 + lzh_archive(lzh_files('sfx.txt')))
    s('deep', [LzhEntry('leaf.txt', b'deep', folder=b'd\xff' * 900)])
    s('long_names', [LzhEntry('l' * 300 + '.txt', b'x'), LzhEntry('m' * 221, b'x', level=0),
                     LzhEntry('ok.txt', b'x')])
    s('many_entries', [LzhEntry('e%03d.txt' % i, b'%d' % i, level=i % 3) for i in range(40)])



def extraction_arj_seeds():
    s = lambda name, entries, **kw: seed('extraction', 'arj_' + name, arj_archive(entries, **kw))
    folder = lambda name, **kw: ArjEntry(name, file_type=ARJ_DIRECTORY, **kw)
    # As ARJ for Unix (arj 3.10) writes them: every entry of its own kinds.
    s('unix_plain', [ArjEntry('a.txt', b'a\n'), folder('sub'), ArjEntry('sub/b.txt', b'b\n', file_type=ARJ_TEXT),
                     folder('sub/deep'), ArjEntry('日本語/メモ.txt', b'memo\n'),
                     ArjEntry('表示.txt'.encode('cp932'), b'sjis\n')])
    s('unix_setuid', [ArjEntry('run.sh', b'#!/bin/sh\n', mode=ARJ_FILE_KIND | 0o4755)])
    s('unix_symlink_out', [arj_special('link', b'C../outside'), ArjEntry('link/through.txt', b'x')])
    s('unix_symlink_absolute', [arj_special('etc', b'C' + ESCAPE), ArjEntry('etc/passwd', b'x')])
    s('unix_hardlink_existing', [arj_special('hard', b'#existing.txt', 0o644), ArjEntry('after.txt', b'after')])
    s('unix_fifo', [arj_special('pipe', b'', 0o644), ArjEntry('after.txt', b'after')])
    s('unix_special_with_data', [ArjEntry('dev', b'\x08\x00data', file_type=ARJ_UNIX_SPECIAL,
                                          mode=ARJ_SPECIAL_KIND | 0o666, extended=[b'U\0\x03'])])
    s('unix_special_kind_as_file', [ArjEntry('odd', b'x', mode=ARJ_SPECIAL_KIND | 0o644)])
    s('unix_folder_kind_as_file', [ArjEntry('odd', b'x', mode=ARJ_FOLDER_KIND | 0o644)])
    s('unix_file_kind_as_folder', [folder('odd', mode=ARJ_FILE_KIND | 0o755), ArjEntry('odd/x', b'x')])
    # Writers that keep a Unix mode.
    for name, mode in [('regular', S_IFREG | 0o644), ('link', S_IFLNK | 0o777), ('char_device', S_IFCHR | 0o666),
                       ('block_device', S_IFBLK | 0o660), ('socket', S_IFSOCK | 0o755), ('fifo', S_IFIFO | 0o644),
                       ('all_bits', 0xFFFF), ('folder_as_file', S_IFDIR | 0o755)]:
        s('unix_mode_%s' % name, [ArjEntry(name, b'../outside', mode=mode), ArjEntry('after.txt', b'after')])
    s('next_link', [ArjEntry('link', b'../outside', host=ARJ_NEXT, mode=S_IFLNK | 0o777)])
    # DOS and Windows attributes, and types that are no file.
    s('dos_plain', [ArjEntry(b'docs\\a.txt', b'a', host=ARJ_DOS), folder(b'docs', host=ARJ_DOS)])
    s('win32_attributes_like_a_link', [ArjEntry('w.txt', b'w', host=ARJ_WIN32, mode=0xA1FF)])
    for name, file_type in [('label', ARJ_LABEL), ('chapter', ARJ_CHAPTER), ('comment', 2), ('unknown', 200),
                            ('unix_type_on_dos', ARJ_UNIX_SPECIAL)]:
        s('type_%s' % name, [ArjEntry(name, b'x', host=ARJ_DOS, file_type=file_type), ArjEntry('after.txt', b'a')])
    # Garbled (a password), methods, checksums, sizes.
    s('garbled', [ArjEntry('secret.txt', b'cipher', flags=0x11), ArjEntry('plain.txt', b'plain')])
    for method in (1, 4, 5, 9, 255):
        s('method_%d' % method, [ArjEntry('packed.txt', b'', method=method, payload=bytes(range(0, 256, 3)),
                                          size=4000), ArjEntry('plain.txt', b'plain')])
    s('bad_crc', [ArjEntry('crc.txt', b'checked', crc=0x1234), ArjEntry('fine.txt', b'fine')])
    s('understated', [ArjEntry('short.txt', b'0123456789' * 10, size=5)])
    s('size_huge', [ArjEntry('huge.bin', b'x', size=0xFFFFFFFF)])
    # Names.
    for i, name in enumerate(CLIMBING_NAMES + ABSOLUTE_NAMES + NUL_NAMES + SJIS_NAMES):
        s('name_%02d' % i, [ArjEntry(name, b'climbed\n', host=ARJ_DOS if b'\\' in name else ARJ_UNIX),
                            ArjEntry('after.txt', b'after')])
    s('dot_names', [ArjEntry(n, b'hidden') for n in DOT_NAMES if not n.endswith('/')])
    s('names_of_another_code_page', [ArjEntry('Привет.txt'.encode('cp866'), b'1'),
                                      ArjEntry('Пока.txt'.encode('cp866'), b'2'),
                                      ArjEntry(b'\xff\xfe.txt', b'3'), ArjEntry(b'\xfd\xfe.txt', b'4')])
    s('duplicate', [ArjEntry('twice.txt', b'first'), ArjEntry('twice.txt', b'second')])
    for i, name in enumerate(EXISTING_NAMES):
        for choice, choice_name in enumerate(CHOICES):
            seed('extraction', 'arj_existing_%02d_%s' % (i, choice_name), sized(
                lambda pad: arj_archive([ArjEntry(name, b'replaced\n' + b' ' * pad)]), choice))
    whole = arj_archive([ArjEntry('one.txt', b'one'), folder('two'), ArjEntry('two/three.txt', b'three' * 20)])
    for cut in (3, 40, 60, len(whole) // 2, len(whole) - 10, len(whole) - 1):
        seed('extraction', 'arj_truncated_%04d' % cut, whole[:cut])
    s('no_end', [ArjEntry('a.txt', b'a')], end=False)
    seed('extraction', 'arj_self_extracting', b'MZ' + b'\0' * 200 + arj_archive([ArjEntry('sfx.txt', b'sfx')]))


def extraction_skipped_seeds():
    """Entries the library cannot read, between entries it can."""
    z = lambda name, entries: seed('extraction', 'zip_' + name, zip_archive(entries))
    l = lambda name, entries: seed('extraction', 'lzh_' + name, lzh_archive(entries))
    before, after = ZipEntry('before.txt', b'before'), ZipEntry('after.txt', b'after')
    for method in (9, 6, 99, 14):
        z('link_method_%d' % method, [before, ZipEntry('link', b'../outside', mode=S_IFLNK | 0o777, method=method),
                                      after])
    z('deflate64_between', [before, ZipEntry('d64.bin', b'', method=9, payload=b'\x15' * 50, size=500), after])
    z('implode_first', [ZipEntry('old.bin', b'', method=6, payload=b'\x01' * 30, size=90), after])
    z('encrypted_central_directory', [ZipEntry('a.txt', b'a', flags=0x2041), ZipEntry('b.txt', b'b', flags=0x2041)])
    z('names_of_another_code_page', [ZipEntry('Привет.txt'.encode('cp866'), b'1'),
                                     ZipEntry('Пока.txt'.encode('cp866'), b'2'),
                                     ZipEntry(b'\xff\xfe.txt', b'3'), ZipEntry(b'\xfd\xfe.txt', b'4'),
                                     ZipEntry(b'%FF%FE.txt', b'5')])
    lbefore, lafter = LzhEntry('before.txt', b'before'), LzhEntry('after.txt', b'after')
    for level in (0, 1, 2):
        l('link_without_target_between_level%d' % level,
          [lbefore, LzhEntry(b'lonely', level=level, mode=S_IFLNK | 0o777), lafter])
    l('lh1_between', [lbefore, LzhEntry('packed.txt', b'', method=b'-lh1-', payload=b'\x55' * 40, size=400), lafter])
    l('names_of_another_code_page', [LzhEntry('Привет.txt'.encode('cp866'), b'1', level=0),
                                     LzhEntry('Пока.txt'.encode('cp866'), b'2', level=1),
                                     LzhEntry(b'\xff\xfe.txt', b'3'), LzhEntry('表\\ソ.txt'.encode('cp932'), b'4', level=0)])
    l('utf8_names', [LzhEntry('ダウンロード/ファイル.txt'.encode('utf-8'), b'x', level=0),
                     LzhEntry('ぁ.txt'.encode('utf-8'), b'y', level=1, folder='ぁ'.encode('utf-8') + b'\xff')])


# ---------------------------------------------------------------- readers
# The first byte picks the reader: 0 shell link, 1 program information,
# 2 desktop launcher (and Exec words), 3 URI list, 4 recently used list,
# 5 mount table, 6 Internet shortcut.

LINK_CLSID = bytes.fromhex('0114020000000000c000000000000046')
HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE, HAS_WORKING_DIR, HAS_ARGUMENTS = 1, 2, 4, 8, 0x10, 0x20
HAS_ICON, IS_UNICODE, FORCE_NO_LINK_INFO = 0x40, 0x80, 0x100


def link_header(flags, size=0x4C):
    return struct.pack('<I16sIIQQQIiIHHII', size, LINK_CLSID, flags, 0x20, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0)


def link_strings(strings, unicode):
    out = b''
    for text in strings:
        data = text.encode('utf-16-le') if unicode else text.encode('cp932')
        out += struct.pack('<H', len(text)) + data
    return out


def link_info(base=b'C:\\Windows\\System32\\cmd.exe\0', suffix=b'\0', flags=1, header=0x1C, sizes=None,
              network=b''):
    """The link information: header, then the volume, the base path, the suffix and the share."""
    volume = struct.pack('<IIII', 16, 3, 0, 16)
    start = header
    volume_offset, base_offset = start, start + len(volume)
    suffix_offset = base_offset + len(base)
    network_offset = suffix_offset + len(suffix)
    fields = [volume_offset, base_offset, network_offset if network else 0, suffix_offset]
    if sizes:
        fields = [sizes.get(i, f) for i, f in enumerate(fields)]
    body = volume + base + suffix + network
    head = struct.pack('<IIIIIII', header + len(body), header, flags, *fields)
    head += b'\0' * (header - len(head))
    return head + body


def id_list(items):
    data = b''.join(struct.pack('<H', len(item) + 2) + item for item in items) + b'\0\0'
    return struct.pack('<H', len(data)) + data


def shell_link(flags, parts=b''):
    return b'\x00' + link_header(flags) + parts


def readers_seeds():
    r = lambda name, selector, data: seed('readers', name, bytes([selector]) + data)
    cmd_strings = ['Invoice', '..\\..\\x', 'C:\\Users', '/c "echo planted"', 'C:\\icon.ico']
    every = HAS_LINK_INFO | HAS_NAME | HAS_RELATIVE | HAS_WORKING_DIR | HAS_ARGUMENTS | HAS_ICON
    r('lnk_cmd_with_arguments', 0, link_header(every) + link_info() + link_strings(cmd_strings, False))
    r('lnk_unicode', 0, link_header(every | IS_UNICODE) + link_info(header=0x24) + link_strings(cmd_strings, True))
    r('lnk_unicode_odd_end', 0, link_header(HAS_ARGUMENTS | IS_UNICODE) + struct.pack('<H', 5) + b'a\0b\0c')
    r('lnk_string_count_beyond', 0, link_header(HAS_NAME | HAS_ARGUMENTS) + struct.pack('<H', 0xFFFF) + b'short')
    r('lnk_every_flag_no_data', 0, link_header(0xFFFFFFFF))
    r('lnk_header_size_wrong', 0, link_header(HAS_NAME, size=0x4D) + link_strings(['x'], False))
    r('lnk_header_truncated', 0, link_header(every)[:75])
    r('lnk_clsid_wrong', 0, link_header(0).replace(LINK_CLSID, LINK_CLSID[::-1]))
    r('lnk_info_size_huge', 0, link_header(HAS_LINK_INFO) + struct.pack('<IIIIIII', 0xFFFFFFFF, 0x1C, 1, 0, 0, 0, 0))
    r('lnk_info_size_below_header', 0, link_header(HAS_LINK_INFO) + struct.pack('<IIIIIII', 8, 0x1C, 1, 0, 0, 0, 0))
    r('lnk_info_offsets_beyond', 0, link_header(HAS_LINK_INFO)
      + link_info(sizes={0: 0xFFFFFF00, 1: 0x7FFFFFFF, 2: 0xFFFFFFFF, 3: 0x10000}))
    r('lnk_info_offset_into_header', 0, link_header(HAS_LINK_INFO) + link_info(sizes={1: 4, 3: 2}))
    r('lnk_info_no_terminator', 0, link_header(HAS_LINK_INFO) + link_info(base=b'C:\\no\\nul', suffix=b''))
    r('lnk_info_wide_offsets_beyond', 0, link_header(HAS_LINK_INFO)
      + link_info(header=0x24)[:28] + struct.pack('<II', 0xFFFFFFF0, 0x7FFFFFFF) + b'\0' * 40)
    share = struct.pack('<IIIII', 0x14 + 16, 2, 0x14, 0, 0) + b'\\\\server\\share\0\0'
    r('lnk_network_share', 0, link_header(HAS_LINK_INFO) + link_info(flags=2, network=share, suffix=b'x.exe\0'))
    r('lnk_network_size_huge', 0, link_header(HAS_LINK_INFO)
      + link_info(flags=3, network=struct.pack('<IIIII', 0xFFFFFFFF, 2, 0xFFFF, 0, 0xFFFFFFFF)))
    r('lnk_network_name_wide_beyond', 0, link_header(HAS_LINK_INFO)
      + link_info(flags=2, network=struct.pack('<IIIIII', 0x18, 2, 0x18, 0, 0, 0xFFFF0000)))
    r('lnk_ansi_cp932_5c', 0, link_header(HAS_LINK_INFO | HAS_ARGUMENTS)
      + link_info(base=SJIS_HYOJI + b'\\' + SJIS_SOFUTO + b'.exe\0') + link_strings(['表示 ソ"'], False))
    drive = b'\x2fC:\\' + b'\0' * 19
    folder = b'\x31\0' + struct.pack('<IHHH', 0, 0, 0, 0x10) + b'Windows\0'
    r('lnk_item_list', 0, link_header(HAS_ID_LIST) + id_list([b'\x1f\x50' + bytes(16), drive, folder]))
    r('lnk_item_list_size_huge', 0, link_header(HAS_ID_LIST) + struct.pack('<H', 0xFFFF) + drive)
    r('lnk_item_size_zero_middle', 0, link_header(HAS_ID_LIST) + struct.pack('<H', 30) + struct.pack('<H', 1)
      + b'\0' * 28)
    r('lnk_item_runs_past_list', 0, link_header(HAS_ID_LIST) + struct.pack('<H', 6) + struct.pack('<H', 200) + b'\x32abc')
    long_block = struct.pack('<HHI', 0xFFFF, 9, 0xBEEF0004) + b'\0' * 20
    r('lnk_item_long_name_block_beyond', 0, link_header(HAS_ID_LIST)
      + id_list([drive, b'\x32\0' + struct.pack('<IHHH', 0, 0, 0, 0x20) + b'X\0' + long_block]))
    r('lnk_item_unicode_no_terminator', 0, link_header(HAS_ID_LIST)
      + id_list([b'\x36\0' + b'\0' * 10 + 'ab'.encode('utf-16-le')]))
    r('lnk_extra_data_huge', 0, link_header(HAS_NAME) + link_strings(['x'], False)
      + struct.pack('<II', 0xFFFFFFFF, 0xA0000001) + b'%SystemRoot%\\..\\..\\x')
    r('lnk_force_no_link_info', 0, link_header(HAS_LINK_INFO | FORCE_NO_LINK_INFO) + link_info())
    # Program information files: the program, folder and parameters fields.
    def pif(program, folder=b'', parameters=b'', size=0x171):
        data = bytearray(size)
        for offset, length, value in ((0x24, 63, program), (0x65, 64, folder), (0xA5, 64, parameters)):
            data[offset:offset + min(length, len(value))] = value[:length]
        return bytes(data)
    r('pif_sh', 1, pif(b'/bin/sh', b'/tmp', b'-c "echo planted"'))
    r('pif_fields_without_nul', 1, pif(b'A' * 63, b'B' * 64, b'C' * 64))
    r('pif_short', 1, pif(b'x.exe')[:0x170])
    r('pif_cp932_5c', 1, pif(SJIS_HYOJI + b'\\' + SJIS_SOFUTO + b'.exe', b'C:\\' + SJIS_HYOJI, b'\x81'))
    r('pif_unmatched_quote', 1, pif(b'C:\\x.exe', b'', b'"a b c'))
    r('pif_lead_byte_at_end', 1, pif(b'x' * 62 + b'\x81', b'', b'\x95' * 64))
    # Desktop launchers: quotes, escapes and field codes of Exec.
    for i, text in enumerate([
        '[Desktop Entry]\nType=Application\nExec=sh -c "echo planted" sh %f\n',
        '[Desktop Entry]\nType=Application\nExec="/a b/c" --x %F %U %i %c %k %% %z %\n',
        '[Desktop Entry]\nExec="unterminated \\" quote\n',
        '[Desktop Entry]\nExec=\\"\\`\\$\\\\ "a\\\\\\"b" \'single quoted\'\n',
        '[Desktop Entry]\nExec=%f\n',
        '[Desktop Entry]\nExec=\n',
        '[Desktop Entry]\nExec= \t \n',
        '[Desktop Entry]\nExec=prog\\sarg\\n\\t\\r\\\\\\q\n',
        '[Desktop Entry]\r\nType=Link\r\nURL=file:.payload\r\n',
        '[Desktop Entry]\nType=Link\nURL=file:///bin/sh\n',
        '[Desktop Entry]\nType=Link\nURL=file://host/../../etc\n',
        '[Other]\nExec=wrong group\n[Desktop Entry]\nExec=right\n[Desktop Entry]\nExec=second group\n',
        '[Desktop Entry]\nExec[ja]=localized\nName[ja]=名前\nExec=plain\n',
        '[Desktop Entry]\nExec=a\nExec=b\nPath=../..\nTryExec=/nonexistent\nHidden=true\nNoDisplay=TRUE\n',
        '[Desktop Entry\nExec=unclosed group\n',
        '\ufeff[Desktop Entry]\nExec=after a byte order mark\n',
        '[Desktop Entry]\rExec=lone\rcarriage\rreturns\r',
        '[Desktop Entry]\nExec="%f" "%%" "%" "%%%"\n',
        '[Desktop Entry]\nExec=' + '"' * 101 + '\n',
        '[Desktop Entry]\nExec=a\x00b "c\x00d"\n',
        '[Desktop Entry]\nTerminal=true\nExec=x-terminal-emulator -e "$(echo planted)"\n',
        'two\nwords',
        '"quoted"\n%f',
        '\\\n\\"',
        'trailing backslash\\',
    ]):
        r('desktop_%02d' % i, 2, text.encode('utf-8'))
    r('desktop_invalid_utf8', 2, b'[Desktop Entry]\nExec=\xff\xfe "\xc0\xaf" \xed\xa0\x80\n')
    r('desktop_cp932', 2, b'[Desktop Entry]\nName=' + SJIS_HYOJI + b'\nExec=' + SJIS_SOFUTO + b' "\\' + b'"\n')
    # URI lists of drops.
    for i, text in enumerate([
        'file:///home/u/a%20b.txt\r\nfile:///%00/x\r\n', 'file://host/x\r\nfile:x\r\nfile:\r\n',
        '%zz%\r\nfile:///%ff%fe\r\n', '# only a comment', '\r\n\r\n\r\n', 'file:///a\rfile:///b\n',
        'http://example.com/../x\nsmb://server/share\n', 'file:///' + 'a/' * 500, 'file:///ダウンロード/表示.txt\n',
    ]):
        r('uri_%02d' % i, 3, text.encode('utf-8'))
    r('uri_nul_and_cp932', 3, b'file:///a\0b\r\n' + SJIS_HYOJI + b'\r\n')
    # Recently used lists (XBEL).
    for i, text in enumerate([
        '<xbel><bookmark href="file:///a&amp;b" modified="x"/><bookmark href="file:relative"/></xbel>',
        '<?xml version="1.0"?><!DOCTYPE x [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;">]>'
        '<xbel><bookmark href="&b;"/></xbel>',
        '<xbel>' + '<folder>' * 300 + '<bookmark href="file:///deep"/>' + '</folder>' * 300 + '</xbel>',
        '<xbel><bookmark href="file:///x" modified="9999-99-99T99:99:99Z"/><bookmark/></xbel>',
        '<xbel><bookmark href="file:///unclosed"', '<xbel><![CDATA[<bookmark href="file:///cdata"/>]]></xbel>',
        '<xbel><bookmark href="file:///a%00b"/><bookmark href="file://host/x"/></xbel>',
    ]):
        r('xbel_%02d' % i, 4, text.encode('utf-8'))
    # Mount tables.
    for i, text in enumerate([
        '/dev/sdb1 /media/u/USB\\040X vfat rw 0 0\n/dev/sdc1 /media/u/a\\134b ext4 rw 0 0\n',
        '/dev/sdb1 /media/u/\\777\\400\\0 vfat rw 0 0\n', '/dev/sdb1 /media/u/trail\\', '/dev/sdb1\n/dev/sdb2 \n',
        '/dev/sdb1 /media/u/x vfat', '\t\t \n \n', '/dev/sdb1 relative/path vfat rw 0 0\n',
        '/dev/sdb1 /media/u/\\011tab\\012nl vfat rw 0 0\n',
    ]):
        r('mounts_%02d' % i, 5, text.encode('utf-8'))
    # Internet shortcuts.
    for i, text in enumerate([
        '[InternetShortcut]\r\nURL=file:.payload\r\n', '[InternetShortcut]\r\nURL=file:///bin/sh\r\nWorkingDirectory=/tmp\r\n',
        '[InternetShortcut]\r\nURL=javascript:alert(1)\r\n', 'URL=file:///no/section\r\n',
        '[InternetShortcut]\rURL=file:///lone/cr\r', '[internetshortcut]\nurl = "file:///quoted"\n',
        '[InternetShortcut]\nURL=file:///a\n[InternetShortcut]\nURL=file:///b\n',
        '\ufeff[InternetShortcut]\nURL=file://host/share/x\n', '[InternetShortcut]\nURL=file:%2e%2e/%2e%2e/x\n',
        '[InternetShortcut]\nURL="unmatched\nWorkingDirectory=\n',
    ]):
        r('url_%02d' % i, 6, text.encode('utf-8'))
    r('url_utf16', 6, '\ufeff[InternetShortcut]\r\nURL=file:///u\r\n'.encode('utf-16-le'))
    r('url_cp932', 6, b'[InternetShortcut]\r\nURL=file:///' + SJIS_HYOJI + b'\\x\r\n')


# ---------------------------------------------------------------- INI files

def ini_hostile_bodies():
    """Files of the INI kind in every shape a hand-edited or hostile one has."""
    many_sections = ''.join('[s%d]\r\n' % i for i in range(700))
    return {
        'lone_cr': b'[Setting]\rWidth=80\rHeight=90\r[Alarm]\rComment=x\r',
        'lone_lf': b'[Setting]\nWidth=80\n',
        'mixed_breaks': b'[Setting]\r\nWidth=80\rHeight=90\n\r\nTop=1\n\r',
        'unmatched_quotes': b'[Setting]\r\nTimeFormat="hh:nn\r\nFileManger=xdg-open"\r\n[Alarm]\r\nComment=""""\r\n',
        'quote_only': b'[Alarm]\r\nComment="\r\nFile=\'\r\n',
        'no_equals': b'[Setting]\r\nWidth\r\n=80\r\n==\r\n',
        'unclosed_sections': b'[Setting\r\nWidth=1\r\n[]\r\nHeight=2\r\n[a]]\r\n[[b]\r\n[ Setting ]\r\nLeft=3\r\n',
        'case_duplicates': b'[setting]\r\nwidth=1\r\n[SETTING]\r\nWIDTH=2\r\n[Setting]\r\nWidth=3\r\nwidth=4\r\n',
        'many_sections': many_sections.encode(),
        'many_keys': ''.join('k%d=%d\r\n' % (i, i) for i in range(600)).encode(),
        'long_line': b'[Setting]\r\nTimeFormat=' + b'y' * 4000 + b'\r\n',
        'nul_bytes': b'[Set\0ting]\r\nWid\0th=8\0\r\n\0\0\0',
        'cp932_trail_5c': b'[Alarm]\r\nComment=' + SJIS_HYOJI + b'\\\r\nFile=' + SJIS_SOFUTO + b'\r\n',
        'cp932_lead_at_end': b'[Alarm]\r\nComment=\x81',
        'cp932_lead_before_break': b'[Alarm]\r\nComment=\x95\r\nTime=07:00\r\n',
        'cp932_bytes_no_char': b'[Alarm]\r\nComment=\x80\xa0\xfd\xfe\xff\r\n',
        'utf8_bom': b'\xef\xbb\xbf[Setting]\r\nWidth=70\r\n',
        'utf8_invalid': b'\xef\xbb\xbf[Alarm]\r\nComment=\xc0\xaf\xed\xa0\x80\xff\r\n',
        'utf16_odd_length': b'\xff\xfe[\0S\0]\0\r\0\n\0k\0=\0v',
        'utf16_lone_surrogate': b'\xff\xfe' + '[Alarm]\r\nComment='.encode('utf-16-le') + b'\x00\xd8\x41\x00\r\x00',
        'utf16_big_endian': b'\xfe\xff' + '[Setting]\r\nWidth=60\r\n'.encode('utf-16-be'),
        'bom_only': b'\xff\xfe',
        'empty': b'',
        'only_cr': b'\r',
        'comments': b'; [Setting]\r\n# Width=1\r\n[Setting] ; trailing\r\nWidth=2 ; not a comment\r\n',
        'blanks_around': b'  [Setting]  \r\n  Width  =  80  \r\n\tHeight\t=\t90\t\r\n',
        'equals_in_value': b'[Setting]\r\nFileManger=sh -c "a=b"\r\n',
        'ctrl_z': b'[Setting]\r\nWidth=80\r\n\x1a[Alarm]\r\n',
    }


def profile_seeds():
    edits = [
        'Setting\tWidth\t80',
        'setting\twidth\t81\nSETTING\tWIDTH\t82',
        'Alarm\tComment\t"quoted"\nAlarm\tFile\t  padded  ',
        'Alarm\tComment\t表示\\ソフト\nAlarm\tTime\t〜−‖—¢£¬',
        'New\tKey\t\nNew\tOther\t"',
        'Alarm\tComment\ta\rb\nAlarm\tFile\ta\x00b',
        'Setting\tTimeFormat\t' + 'x' * 1000,
        'Alarm\tComment\t😀 \ud7ff',
        's9999\tk\tv\ns0\tk\tv',
        'Setting\tWidth\t=\nSetting\tHeight\t[x]',
    ]
    bodies = ini_hostile_bodies()
    for i, (name, body) in enumerate(sorted(bodies.items())):
        seed('profile', 'hostile_' + name, parts(edits[i % len(edits)], body))
    for i, edit in enumerate(edits):
        seed('profile', 'edits_%02d' % i, parts(edit, b'[Setting]\r\nWidth=80\r\n[Alarm]\r\nComment=x\r\n'))


def settings_seeds():
    for name, body in sorted(ini_hostile_bodies().items()):
        seed('settings', 'hostile_' + name, body)
    values = {
        'numbers_huge': '[Setting]\r\nLeft=99999999999999999999\r\nTop=-2147483649\r\nWidth=32768\r\nHeight=-32769\r\n',
        'numbers_odd': '[Setting]\r\nLeft=0x10\r\nTop=1.5\r\nWidth= 12 \r\nHeight=+5\r\n[Thick]\r\nHLine=１２\r\nMLine=1e3\r\n',
        'colors': '[Color]\r\nBord=-1\r\nHLine=16777216\r\nMLine=4294967295\r\nSLine=abc\r\n',
        'decomp_folders': '[ARC]\r\nDecompFolder=~/../../etc\r\nFileFold=-1\r\n',
        'decomp_relative': '[ARC]\r\nDecompFolder=relative/folder\r\n',
        'decomp_root': '[ARC]\r\nDecompFolder=/\r\n',
        'decomp_tilde': '[ARC]\r\nDecompFolder=~\r\nFileFold=1\r\n',
        'decomp_proc': '[ARC]\r\nDecompFolder=/proc/self/cwd\r\n',
        'decomp_autostart': '[ARC]\r\nDecompFolder=~/.config/autostart/\r\n',
        'decomp_quoted': '[ARC]\r\nDecompFolder="  /tmp/x  "\r\n',
        'decomp_long': '[ARC]\r\nDecompFolder=/' + 'd' * 3000 + '\r\n',
        'file_manager_command': '[Setting]\r\nFileManger=/bin/sh -c "echo planted"\r\n',
        'alarms': '[Alarm]\r\nEnabled=2\r\nTime=25:61\r\nTime1=-1:00\r\nTime2=07:30:99\r\nComment3=x\r\nFile99=/dev/zero\r\n',
        'image_files': '[Image]\r\nEnabled=1\r\nFile=../../etc/passwd\r\nJustSize=7\r\nTilePattern=-3\r\n',
        'anime': '[Anime]\r\nEnabled=1\r\nFile=/proc/self/mem\r\n',
        'digital': '[Digital]\r\nDatePattern=99\r\nDatePosition=-1\r\nTimePattern=32767\r\nTimeFuchiColor=-2147483648\r\n',
        'calendar_styles': '[Calender]\r\nFont="\r\nToday=a,b,c,d,e,f\r\nSunday=\r\nSaturday=,,,\r\nHoliday=1,2147483648\r\n',
        'duplicate_sections': '[ARC]\r\nDecompFolder=/a\r\n[Setting]\r\n[ARC]\r\nDecompFolder=/b\r\n',
        'every_section_empty': '[Setting]\r\n[Color]\r\n[Thick]\r\n[Image]\r\n[Digital]\r\n[Alarm]\r\n[Anime]\r\n[ARC]\r\n[Calender]\r\n',
    }
    for name, text in values.items():
        seed('settings', name, text.encode('utf-8'))
    seed('settings', 'cp932_values', b'[Alarm]\r\nComment=' + SJIS_HYOJI + b'\r\n[ARC]\r\nDecompFolder=/tmp/'
         + SJIS_SOFUTO + b'/\r\n[Calender]\r\nFont=\x82\x6c\x82\x72\r\n')


def launcher_entries_seeds():
    # 0x60 ("`", the field separator) is a trail byte of CP932: "チ" is 83 60.
    chi = 'チーム'.encode('cp932')
    assert b'`' in chi
    entries = {
        'count_huge': b'[Lunch]\r\nCount=2147483647\r\nApp01=/a/`b`c`d`0`/`\r\n',
        'count_overflow': b'[Lunch]\r\nCount=4294967297\r\nApp01=x\r\n',
        'count_21': b'[Lunch]\r\nCount=21\r\n' + b''.join(b'App%02d=/p%d/`n`e`c`0`/`\r\n' % (i, i) for i in range(1, 22)),
        'count_text': b'[Lunch]\r\nCount=three\r\nApp01=x\r\n',
        'count_missing': b'[Lunch]\r\nApp01=/a/`b`c`d`0`/`\r\n',
        'backquote_trail_byte': b'[Lunch]\r\nCount=1\r\nApp01=/home/u/' + chi + b'/`' + chi + b'`txt`' + chi + b'`1`/home/u/`\r\n',
        'backquotes_only': b'[Lunch]\r\nCount=3\r\nApp01=``````````\r\nApp02=`\r\nApp03=\r\n',
        'many_fields': b'[Lunch]\r\nCount=1\r\nApp01=' + b'`'.join(b'f%d' % i for i in range(50)) + b'\r\n',
        'numbers_odd': b'[Lunch]\r\nCount=2\r\nApp01=/a/`b`c`d`-1`/`\r\nApp02=/a/`b`c`d`99999999999`/`\r\n',
        'numbering': b'[Lunch]\r\nCount=3\r\nApp00=zero\r\nApp1=one\r\nApp001=x\r\nApp02=two\r\nApp02=again\r\n',
        'quotes': b'[Lunch]\r\nCount=2\r\nApp01="/a b/`"c"`d`e`0`/`"\r\nApp02="unmatched\r\n',
        'cp932_5c': b'[Lunch]\r\nCount=1\r\nApp01=C:\\' + SJIS_HYOJI + b'\\`' + SJIS_SOFUTO + b'`exe`x`0`C:\\`\r\n',
        'nul_and_ctrl': b'[Lunch]\r\nCount=1\r\nApp01=/a\0b/`\x01`\x1b`\x7f`0`/`\r\n',
        'lone_cr': b'[Lunch]\rCount=2\rApp01=/a/`b`c`d`0`/`\rApp02=/x/`y`z`w`0`/`\r',
        'lunch_twice': b'[Lunch]\r\nCount=1\r\nApp01=/first/`a`b`c`0`/`\r\n[Lunch]\r\nApp01=/second/`a`b`c`0`/`\r\n',
        'program_paths': b'[Lunch]\r\nCount=3\r\nApp01=../../`sh``x`0``\r\nApp02=~/`x`y`z`0`~`\r\nApp03=file:///bin/`sh`\r\n',
        'utf16': b'\xff\xfe' + '[Lunch]\r\nCount=1\r\nApp01=/ダ/`名`txt`名`0`/`\r\n'.encode('utf-16-le'),
        'long_entry': b'[Lunch]\r\nCount=1\r\nApp01=/' + b'p' * 3000 + b'/`n`e`c`0`/`\r\n',
    }
    for name, data in entries.items():
        seed('launcher_entries', name, data)
    for name, body in sorted(ini_hostile_bodies().items()):
        if name in ('lone_cr', 'unmatched_quotes', 'nul_bytes', 'utf16_lone_surrogate', 'cp932_lead_at_end'):
            seed('launcher_entries', 'hostile_' + name, body.replace(b'[Setting]', b'[Lunch]').replace(b'[Alarm]', b'[Lunch]'))


def holidays_seeds():
    rules = {
        'months_out_of_range': '[NationalHoliday]\r\n1=0,0,1,a\r\n2=0,13,1,b\r\n3=0,-1,1,c\r\n4=0,2147483647,1,d\r\n',
        'days_out_of_range': '[NationalHoliday]\r\n1=0,2,30,a\r\n2=0,2,29,b\r\n3=0,4,31,c\r\n4=0,1,0,d\r\n5=0,1,-1,e\r\n',
        'weeks': '[NationalHoliday]\r\n1=1,1,0,a\r\n2=1,1,6,b\r\n3=1,1,99,c\r\n4=2,1,0,d\r\n5=3,1,9,e\r\n',
        'kinds': '[NationalHoliday]\r\n1=-1,1,1,a\r\n2=9,1,1,b\r\n3=2147483647,1,1,c\r\n4=x,1,1,d\r\n',
        'year_ranges': '[NationalHoliday]\r\n1=0,1,1,a,2030,2000\r\n2=0,1,1,b,-5,99999\r\n3=0,1,1,c,,\r\n4=0,1,1,d,0,0\r\n',
        'fields_missing': '[NationalHoliday]\r\n1=\r\n2=,\r\n3=,,,\r\n4=0\r\n5=0,1\r\n6=0,1,1\r\n',
        'fields_extra': '[NationalHoliday]\r\n1=0,1,1,a,1,2,3,4,5,6,7,8,9\r\n',
        'quotes_and_blanks': '[NationalHoliday]\r\n1= 0 , 1 , 1 , " a " \r\n2="0,1,1,b"\r\n',
        'numbering_gaps': '[NationalHoliday]\r\n0=0,1,1,zero\r\n5=0,1,2,five\r\n999=0,1,3,many\r\n-1=0,1,4,neg\r\n',
        'many_rules': '[NationalHoliday]\r\n' + ''.join('%d=0,%d,%d,r%d\r\n' % (i, i % 12 + 1, i % 28 + 1, i) for i in range(1, 400)),
        'same_day_twice': '[NationalHoliday]\r\n1=0,5,3,a\r\n2=0,5,3,b\r\n3=1,5,1,c\r\n',
        'substitute_chain': '[NationalHoliday]\r\n1=0,5,3,A\r\n2=0,5,4,B\r\n3=0,5,5,C\r\n4=0,5,6,D\r\n5=0,5,7,E\r\n',
        'formats': '[TimeFormat]\r\n0=' + 'h' * 500 + ',x\r\n1=%s%n,y\r\n2=,\r\n3="\r\n[DateFormat]\r\n0=yyyyyyyyyyyy\r\n1=\\,\\\r\n9=x,y\r\n',
        'no_section': '1=0,1,1,a\r\n',
        'lone_cr': '[NationalHoliday]\r1=0,1,1,a\r2=0,2,11,b\r',
    }
    years = ['1', '9999', '0', '-1', '10000', '1582', '1948', '2026', 'ー２０２６', '', '2026 2027', '2147483648']
    for i, (name, text) in enumerate(sorted(rules.items())):
        seed('holidays', name, parts(years[i % len(years)], text))
    for i, year in enumerate(years):
        seed('holidays', 'year_%02d' % i, parts(year, '[NationalHoliday]\r\n1=0,1,1,a\r\n2=1,1,2,b\r\n3=2,3,0,c\r\n'))
    seed('holidays', 'cp932_notes', parts('2026', b'[NationalHoliday]\r\n1=0,1,1,' + SJIS_HYOJI + b'\\\r\n2=0,2,2,\x81\r\n'))
    seed('holidays', 'utf16', parts('2026', b'\xff\xfe' + '[NationalHoliday]\r\n1=0,1,1,元日\r\n'.encode('utf-16-le')))


def environment_seeds():
    base = '[Setting]\r\nTitle=t\r\nFile=walker.gif\r\nPattern=%s\r\n[Environment]\r\nClockWidth=%s\r\nClockHeight=%s\r\n%s[Pattern]\r\n%s'
    cases = {
        'pattern_count_huge': ('2147483647', '80', '80', '', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'pattern_count_negative': ('-5', '80', '80', '', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'pattern_count_above_lines': ('60', '80', '80', '', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'patterns_beyond_table': ('200', '80', '80', '', ''.join('Pat%d=0,0,0,8,8,8,0,0,1\r\n' % i for i in range(1, 201))),
        'sides_zero': ('1', '0', '0', '', 'Pat1=0,0,0,0,0,0,0,0,0\r\n'),
        'sides_huge': ('1', '32767', '-32768', '', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'pattern_fields_missing': ('3', '80', '80', '', 'Pat1=\r\nPat2=1\r\nPat3=1,2,3,4\r\n'),
        'pattern_fields_extra': ('1', '80', '80', '', 'Pat1=' + ','.join(['7'] * 40) + '\r\n'),
        'pattern_numbers_extreme': ('2', '80', '80', '', 'Pat1=-2147483648,2147483647,-1,2147483647,-2147483648,0,-1,-1,-1\r\nPat2=99999999999,0,0,1,1,1,0,0,0\r\n'),
        'pattern_sheet_outside': ('2', '80', '80', '', 'Pat1=1000,1000,40,30,500,500,0,0,1\r\nPat2=47,39,-48,-40,48,40,0,0,1\r\n'),
        'pattern_ticks_zero': ('2', '80', '80', '', 'Pat1=0,0,0,24,24,24,0,0,0\r\nPat2=0,0,0,24,24,24,0,0,-1\r\n'),
        'scroll_extreme': ('1', '80', '80', 'Scroll=ON\r\n[ScrollPattern]\r\nVectX=2147483647\r\nVectY=-2147483648\r\nStartPosX=-99999\r\nEndAction=Explode\r\n', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'scroll_zero': ('1', '80', '80', 'Scroll=ON\r\nBackGround=x.gif\r\n[ScrollPattern]\r\nVectX=0\r\nVectY=0\r\nScrollLink=ON\r\n', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'adjust_extreme': ('1', '80', '80', 'AdjustX=2147483647\r\nAdjustY=-2147483648\r\nThickHLine=-1\r\nColorHLine=-1\r\n', 'Pat1=0,0,0,24,24,24,0,0,2\r\n'),
        'numbers_odd': ('0x10', '1e3', ' 80 ', '', 'Pat1=0x1,1.5,+2, 3 ,４,5,6,7,8\r\n'),
    }
    for name, values in cases.items():
        seed('environment', name, (base % values).encode('utf-8'))
    seed('environment', 'files_climbing', b'[Setting]\r\nFile=../../../etc/passwd\r\nPattern=1\r\n[Environment]\r\n'
         b'BackGround=/dev/zero\r\n[Pattern]\r\nPat1=0,0,0,24,24,24,0,0,2\r\n')
    seed('environment', 'cp932_title', b'[Setting]\r\nTitle=' + SJIS_HYOJI + b'\\' + SJIS_SOFUTO + b'\x81\r\nPattern=1\r\n')
    for name, body in sorted(ini_hostile_bodies().items()):
        if name in ('lone_cr', 'unclosed_sections', 'case_duplicates', 'nul_bytes', 'utf16_odd_length', 'many_sections'):
            seed('environment', 'hostile_' + name, body)


def mimeapps_seeds():
    entry = '[Desktop Entry]\nType=Application\nExec=%s\n'
    execs = ['sh -c "echo planted" sh %f', '"/bin/sh" -c "rm %f"', '%f', 'true %%f %', '/nonexistent %U',
             'sh', '"unterminated', '\\"', '/bin/true %z %i %c %k', '/tmp', '../../bin/sh', ' ', '=',
             'env A=B /bin/true', '/bin/true\\s%f', 'x' * 2000]
    for i, command in enumerate(execs):
        seed('mimeapps', 'exec_%02d' % i, parts('[Default Applications]\ntext/plain=fuzzed.desktop\n', '', '',
                                                 entry % command, 'text/plain'))
    lists = {
        'climbing_names': '[Default Applications]\ntext/plain=../../etc/x.desktop;/abs.desktop;fuzzed.desktop\n',
        'vendor_names': '[Default Applications]\ntext/plain=kde-editor.desktop;a-b-c.desktop;-.desktop;kde-.desktop\n',
        'wildcards': '[Default Applications]\ntext/*=fuzzed.desktop\n*/*=viewer.desktop\n',
        'removed_everything': '[Removed Associations]\ntext/plain=viewer.desktop;fuzzed.desktop;kde-editor.desktop\n',
        'long_list': '[Default Applications]\ntext/plain=' + 'missing.desktop;' * 200 + 'viewer.desktop\n',
        'lone_cr': '[Default Applications]\rtext/plain=fuzzed.desktop\r',
        'bom_and_blanks': '\ufeff [Default Applications] \n text/plain = fuzzed.desktop ; viewer.desktop \n',
        'semicolons': '[Default Applications]\ntext/plain=;;;\ntext/html=;viewer.desktop;;\n',
        'group_twice': '[Default Applications]\ntext/plain=missing.desktop\n[Default Applications]\ntext/plain=fuzzed.desktop\n',
    }
    for name, text in lists.items():
        seed('mimeapps', 'list_' + name, parts(text, text, '[MIME Cache]\ntext/plain=viewer.desktop;\n',
                                               entry % '/bin/true %f', 'text/plain'))
    for i, mime in enumerate(['../../x', 'text/plain;charset=x', 'text', '/', 'TEXT/PLAIN', 'x' * 300,
                              'inode/directory', 'application/x-desktop']):
        seed('mimeapps', 'type_%02d' % i, parts('[Default Applications]\n%s=fuzzed.desktop\n' % mime, '',
                                                '[MIME Cache]\n%s=viewer.desktop\n' % mime, entry % '/bin/true', mime))
    seed('mimeapps', 'entry_hidden', parts('[Default Applications]\ntext/plain=fuzzed.desktop;viewer.desktop\n', '', '',
                                           '[Desktop Entry]\nExec=/bin/true\nHidden=true\nTryExec=/nonexistent\n', ''))
    seed('mimeapps', 'entry_link', parts('[Default Applications]\ntext/plain=fuzzed.desktop\n', '', '',
                                         '[Desktop Entry]\nType=Link\nURL=file:///bin/sh\n', ''))


def mci_seeds():
    tracks = ''.join('TRACK %02d AUDIO\nINDEX 01 00:%02d:00\n' % (i, i % 60) for i in range(1, 100))
    sheets = {
        'hundred_tracks': 'FILE "disc.bin" BINARY\n' + tracks,
        'track_numbers_odd': 'FILE "disc.bin" BINARY\nTRACK 00 AUDIO\nINDEX 01 00:00:00\nTRACK 99 AUDIO\nINDEX 01 00:00:01\nTRACK 05 AUDIO\nINDEX 01 00:00:00\n',
        'index_extreme': 'FILE "disc.bin" BINARY\nTRACK 01 AUDIO\nINDEX 01 99:99:99\nTRACK 02 AUDIO\nINDEX 01 -1:00:00\n',
        'index_backwards': 'FILE "disc.bin" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:05\nTRACK 02 AUDIO\nINDEX 01 00:00:01\n',
        'file_climbing': 'FILE "../../../etc/passwd" BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n',
        'file_unquoted': 'FILE disc.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n',
        'file_quote_unmatched': 'FILE "disc.bin BINARY\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n',
        'no_file': 'TRACK 01 AUDIO\nINDEX 01 00:00:00\n',
        'lone_cr': 'FILE "disc.bin" BINARY\rTRACK 01 AUDIO\rINDEX 01 00:00:00\r',
        'pregap_huge': 'FILE "disc.bin" BINARY\nTRACK 01 AUDIO\nPREGAP 99:59:74\nINDEX 01 00:00:00\nPOSTGAP 99:59:74\n',
        'data_tracks': 'FILE "disc.bin" BINARY\nTRACK 01 MODE2/2352\nINDEX 01 00:00:00\nTRACK 02 MODE1/2048\nINDEX 01 00:00:02\n',
        'empty': '',
    }
    commands = [
        'open cdaudio shareable\nplay cdaudio from 99 to 0\nseek cdaudio to 4294967295\nstatus cdaudio position track 100',
        'open cdaudio\nset cdaudio time format tmsf\nplay cdaudio from 99:99:99:99\nstatus cdaudio position\nstatus cdaudio length track -1',
        'open cdaudio alias x\nplay x\nclose x\nclose cdaudio\nclose all',
        'open cdaudio\nset cdaudio time format frames\nseek cdaudio to -1\nstatus cdaudio start position',
        'open cdaudio\n' + 'status cdaudio ' * 100,
        'open "cdaudio"\nopen cd\0audio\nstatus cdaudio mode\n\x00\n',
        'open cdaudio\nset cdaudio time format milliseconds\nplay cdaudio from 2147483647 to 2147483648',
        'open cdaudio\nset cdaudio door open\nset cdaudio door closed\nstatus cdaudio media present\nstop cdaudio\npause cdaudio\nresume cdaudio',
    ]
    replies = ['-1\n99999999999\n00:00:00:00:00\nabc\n\n:\n::\n4294967296\ntrue\nfalse',
               '99\n-5\n2147483648\n99:99:99\n00:00\nplaying\nstopped\n\x00\n' + '9' * 300]
    for i, (name, sheet) in enumerate(sorted(sheets.items())):
        for turn in (0, 1):
            seed('mci', '%s_%d' % (name, turn), parts(sheet, commands[(i + 4 * turn) % len(commands)],
                                                      replies[(i + turn) % len(replies)]))


def cp932_seeds():
    pairs = {
        'lead_at_end': b'abc\x81', 'lead_then_ascii': b'\x81a\x95\x20\x83\x0a',
        'trail_boundaries': b'\x81\x3f\x81\x40\x81\x7e\x81\x7f\x81\x80\x81\xfc\x81\xfd',
        'trail_5c_and_60': SJIS_HYOJI + SJIS_SOFUTO + 'チ'.encode('cp932') + b'\x5c\x60',
        'user_defined': b'\xf0\x40\xf9\xfc', 'nec_extension': b'\x87\x40\x87\x9c\xed\x40\xee\xfc',
        'ibm_extension': b'\xfa\x40\xfc\x4b\xfc\x4c', 'half_width_kana': bytes(range(0xa1, 0xe0)),
        'no_char_bytes': b'\x80\xa0\xfd\xfe\xff', 'every_lead': b''.join(bytes([lead, 0x40]) for lead in range(0x81, 0x100)),
        'nul_between': b'\x95\x00\x5c', 'wave_dash_forms': '〜−‖—¢£¬～－∥―￠￡￢'.encode('cp932', 'replace'),
    }
    for name, data in pairs.items():
        seed('cp932', name, data)
    utf16 = {
        'lone_high_surrogate': '\ud800'.encode('utf-16-le', 'surrogatepass'),
        'lone_low_surrogate': 'a\udc00b'.encode('utf-16-le', 'surrogatepass'),
        'surrogates_reversed': '\udc00\ud800'.encode('utf-16-le', 'surrogatepass'),
        'emoji_no_mapping': '😀表示'.encode('utf-16-le'), 'noncharacters': '\ufffe\uffff\ufeff'.encode('utf-16-le'),
        'forms_typed': '〜−‖—¢£¬'.encode('utf-16-le'), 'odd_length': 'ab'.encode('utf-16-le') + b'\x30',
        'controls': ''.join(chr(c) for c in range(0, 32)).encode('utf-16-le'),
        'latin1_no_mapping': 'éàüß'.encode('utf-16-le'),
    }
    for name, data in utf16.items():
        seed('cp932', 'utf16_' + name, data)


def archive_names_seeds():
    for i, name in enumerate(CLIMBING_NAMES + ABSOLUTE_NAMES + NUL_NAMES + SJIS_NAMES):
        seed('archive_names', 'hostile_%02d' % i, name)
    for i, name in enumerate(DOT_NAMES + PROGRAM_NAMES):
        seed('archive_names', 'named_%02d' % i, name.encode('utf-8'))
    for name, data in {'overlong_dots': b'\xc0\xae\xc0\xae/x', 'utf8_backslash': 'ダ\\..\\x'.encode('utf-8'),
                       'surrogate_utf8': b'\xed\xa0\x80/x', 'deep': b'a/' * 1000, 'long': b'n' * 4000,
                       'slashes_only': b'////', 'backslashes_only': b'\\\\\\', 'empty': b''}.items():
        seed('archive_names', name, data)


def seven_zip_listing_seeds():
    def block(path, folder=False, size=None, crc=None, extra=''):
        text = 'Path = %s\nFolder = %s\n' % (path, '+' if folder else '-')
        if size is not None:
            text += 'Size = %s\n' % size
        if crc is not None:
            text += 'CRC = %s\n' % crc
        return text + extra + '\n'
    listings = {
        'climbing': block('../sentinel.txt') + block('a/../../b') + block('..') + block('./..', True),
        'absolute': block('/tmp/tockara-fuzz-escape/x') + block('//x') + block('/', True),
        'backslashes': block('..\\..\\x') + block('a\\b\\..\\..\\..\\c'),
        'dot_names': block('.bashrc') + block('.config/autostart/x.desktop') + block('.tockara-abc.part'),
        'links_listed': block('link', extra='Symbolic Link = ../outside\nAttributes = A -lrwxrwxrwx\n')
                        + block('hard', extra='Hard Link = ../../etc/passwd\n'),
        'modes_listed': block('run.sh', extra='Attributes = A_ -rwsr-xr-x\n'),
        'sizes': block('a', size='9223372036854775807') + block('b', size='9223372036854775808')
                 + block('c', size='-1') + block('d', size='0x10') + block('e', size=''),
        'crcs': block('a', crc='FFFFFFFF') + block('b', crc='100000000') + block('c', crc='-1') + block('d', crc='xyz'),
        'duplicates': block('twice.txt') + block('twice.txt') + block('d', True) + block('d', True) + block('d'),
        'file_then_folder': block('x') + block('x', True) + block('x/y'),
        'encrypted': block('secret.txt', extra='Encrypted = +\n') + block('plain.txt', extra='Encrypted = -\n'),
        'crlf': block('a.txt').replace('\n', '\r\n') + block('b').replace('\n', '\r'),
        'no_blank_lines': 'Path = a\nPath = b\nFolder = +\nPath = c\n',
        'keys_spelled_oddly': 'Path=a\npath = b\nPath  = c\n Path = d\nPath = e\nFolder = + \nFolder=+\n',
        'path_in_path': block('Path = x') + block('x\nPath = y'),
        'trailing_blanks': block('a.txt ') + block(' b.txt') + block('c.txt\t'),
        'empty_path': block('') + block('', True),
        'deep': block('d/' * 1000 + 'x'),
        'long': block('n' * 3000),
        'many': ''.join(block('e%03d' % i) for i in range(150)),
        'shift_jis': '',
        'control_chars': block('a\x01b') + block('\x1b[31m') + block('a\x7f'),
    }
    for name, text in listings.items():
        if text:
            seed('seven_zip_listing', name, text.encode('utf-8'))
    seed('seven_zip_listing', 'shift_jis', b'Path = ' + SJIS_HYOJI + b'\\..\\..\\x\nFolder = -\n\nPath = '
         + SJIS_SOFUTO + b'/\x81\nFolder = +\n\n')
    seed('seven_zip_listing', 'nul_names', b'Path = a\0/../../x\nFolder = -\n\nPath = \0\n\n')
    seed('seven_zip_listing', 'invalid_utf8', b'Path = \xc0\xae\xc0\xae/x\n\nPath = \xff\xfe\n\n')


def main(names):
    extraction_zip_seeds()
    extraction_lzh_seeds()
    extraction_arj_seeds()
    extraction_skipped_seeds()
    readers_seeds()
    profile_seeds()
    settings_seeds()
    launcher_entries_seeds()
    holidays_seeds()
    environment_seeds()
    mimeapps_seeds()
    mci_seeds()
    cp932_seeds()
    archive_names_seeds()
    seven_zip_listing_seeds()
    for target in names or sorted(SEEDS):
        if target not in SEEDS:
            sys.exit('make_corpus.py: no seeds for %r' % target)
        folder = os.path.join(CORPUS, target)
        os.makedirs(folder, exist_ok=True)
        for name, data in sorted(SEEDS[target].items()):
            with open(os.path.join(folder, name), 'wb') as out:
                out.write(data)
        print('%-20s %3d seeds' % (target, len(SEEDS[target])))


if __name__ == '__main__':
    main(sys.argv[1:])
