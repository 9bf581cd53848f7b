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


# ---------------------------------------------------------------- extraction
# ZIP and LZH archives extracted into a target that holds existing.txt,
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
    b'..\\sentinel.txt', b'a\\..\\..\\outside\\new.txt', b'.\\..\\x', b'..\\',
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
                  'dangling', 'way-out/new.txt', 'dangling/new.txt', 'sentinel-link/x']


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
        s('existing_%02d' % i, [ZipEntry(name, b'replaced\n')])
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
        s('existing_%02d' % i, [LzhEntry(name, b'replaced\n', level=i % 3)])
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


def main(names):
    extraction_zip_seeds()
    extraction_lzh_seeds()
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
