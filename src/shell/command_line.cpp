#include "shell/command_line.h"

#include <cstdio>
#include <QCoreApplication>
#include <QFileInfo>

#include "calendar/holiday_listing.h"
#include "platform/program_folder.h"
#include "settings_window/version_text.h"

namespace {

constexpr int kDone = 0;
constexpr int kNoRules = 1;
constexpr int kUsageError = 2;

const char kHelp[] =
    "使い方: tockara [オプション]\n"
    "オプションなしで起動すると時計を表示します。このプログラムフォルダの時計が\n"
    "もう動いていれば、その時計のメニューを時計の横に開きます。\n"
    "\n"
    "  --holidays 年   その年の祝日・振替休日・国民の休日を、日付 (年-月-日)、タブ、\n"
    "                  名前の形で一行ずつ表示します。祝日の規則はプログラムフォルダの\n"
    "                  Calender.ini (まだないときはインストールされたもの) から読みます。\n"
    "                  ファイルを作ることはありません。年は 1 から 9999 まで。\n"
    "  --menu          このプログラムフォルダで動いている時計のメニューを、キーボードで\n"
    "                  選べるように開きます。時計が動いていなければ起動して開きます。\n"
    "  --version       バージョンを表示します。\n"
    "  --help, -h      この説明を表示します。\n";

// The toolkit's own options, which reach it untouched when the clock starts,
// and whether a value follows each (also written "-name=value"). A session
// manager restarts the programs of a saved session with -session.
struct ToolkitOption {
    const char *name;
    bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"geometry", true}, {"qwindowicon", true}, {"icon", true},
    {"qwindowtitle", true}, {"title", true}, {"session", true}, {"display", true}, {"name", true},
    {"style", true}, {"stylesheet", true}, {"reverse", false}, {"widgetcount", false},
    {"nograb", false}, {"dograb", false}, {"sync", false},
};

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int ListHolidays(int argc, char **argv, const QString &yearText)
{
    bool ok = false;
    const int year = yearText.toInt(&ok);
    if (!ok || year < 1 || year > 9999) {
        Print(stderr, QStringLiteral("tockara: --holidays には 1 から 9999 までの年を指定してください。\n"));
        return kUsageError;
    }
    int appArgc = argc;
    const QCoreApplication app(appArgc, argv);   // for the executable's folder only
    // Only reads: a look at the holidays creates no program folder.
    const QString folder = ProgramFolderToRead(QCoreApplication::applicationDirPath());
    if (!QFileInfo(CalendarIniPath(folder)).isFile()) {
        Print(stderr, QStringLiteral("tockara: %1 が見つかりません。\n").arg(CalendarIniPath(folder)));
        return kNoRules;
    }
    CalendarData calendar;
    LoadHolidays(calendar, folder);
    const QStringList lines = HolidayListing(calendar, year);
    Print(stdout, lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n');
    return kDone;
}

// How many arguments from at the start option there takes (2 with the value
// of a toolkit option that has one); 0 for an argument the clock does not know.
int StartOptionLength(int argc, char **argv, int at)
{
    const QByteArray argument(argv[at]);
    if (argument == "--menu")
        return 1;
    if (!argument.startsWith('-'))
        return 0;
    // The toolkit takes its options with one dash or two.
    const QByteArray option = argument.mid(argument.startsWith("--") ? 2 : 1);
    const qsizetype equals = option.indexOf('=');
    const QByteArray name = equals < 0 ? option : option.first(equals);
    for (const ToolkitOption &known : kToolkitOptions) {
        if (name != known.name)
            continue;
        if (!known.takesValue)
            return equals < 0 ? 1 : 0;
        if (equals >= 0)
            return 1;
        return at + 1 < argc ? 2 : 0;
    }
    return 0;
}

int RefuseArgument(const char *argument)
{
    Print(stderr, QStringLiteral("tockara: 不明な引数です: %1\n\n").arg(QString::fromLocal8Bit(argument))
                      + QString::fromUtf8(kHelp));
    return kUsageError;
}

} // namespace

std::optional<int> RunCommandLineOption(int argc, char **argv)
{
    if (argc < 2)
        return std::nullopt;
    const QString option = QString::fromLocal8Bit(argv[1]);
    if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
        Print(stdout, QString::fromUtf8(kHelp));
        return kDone;
    }
    if (option == QLatin1String("--version")) {
        const ProgramVersion version = CurrentVersion();
        Print(stdout, QStringLiteral("tockara %1.%2.%3\n").arg(version.major).arg(version.minor).arg(version.revision));
        return kDone;
    }
    if (option == QLatin1String("--holidays"))
        return ListHolidays(argc, argv, argc >= 3 ? QString::fromLocal8Bit(argv[2]) : QString());
    for (int at = 1; at < argc;) {
        const int length = StartOptionLength(argc, argv, at);
        if (length == 0)
            return RefuseArgument(argv[at]);
        at += length;
    }
    return std::nullopt;
}
