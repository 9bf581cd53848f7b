#include "desktop/ui/wallpaper_page.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>

#include "context/context.h"
#include "context/pages.h"
#include "desktop/wallpaper.h"
#include "pickers/cls_dialog.h"
#include "platform/message_box.h"
#include "platform/regular_file.h"
#include "settings/profile.h"
#include "settings/settings_store.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"

namespace {

// The options' captions and the arrangement code each stands for; 壁紙なし has none.
struct Option {
    const char16_t *caption;
    const char *code;
};
constexpr std::array<Option, 4> kOptions = {{
    {u"並べて表示", "1"},
    {u"中央に表示", "0"},
    {u"拡大に表示(Win98のみ)", "2"},
    {u"壁紙なし", nullptr},
}};
constexpr int kFirstOption = 8;

// Picture types offered by the chooser: the classic ones and PNG and JPEG
// under all their usual spellings; then every file.
QString ChooserFilter()
{
    return JoinFileFilter({
        {QStringLiteral("画像(bmp jpg png tif gif wmf ico)"),
         QStringLiteral("*.bmp;*.jpg;*.jpeg;*.jpe;*.png;*.tif;*.tiff;*.gif;*.wmf;*.ico")},
        {QStringLiteral("全てのファイル"), QStringLiteral("*.*")},
    });
}

} // namespace

WallpaperPage::WallpaperPage(const PageEnvironment &environment)
    : ctx_(environment.ctx), window_(environment.window)
{
    QFrame *area = environment.area;
    MakeLabel("LBL25", QStringLiteral("壁紙"), area, 16, 19);
    file_ = MakeField(13, area, 56, 16, 184);
    QPushButton *choose = MakeButton("DialogBtn3", QStringLiteral("..."), area, 244, 14);
    choose->resize(25, 23);
    QObject::connect(choose, &QPushButton::clicked, area, [this] { ChooseFile(); });

    for (int i = 0; i < int(kOptions.size()); ++i) {
        options_[i] = new QRadioButton(QString::fromUtf16(kOptions[i].caption), area);
        options_[i]->setObjectName(QStringLiteral("OPT%1").arg(kFirstOption + i));
        options_[i]->move(32, 56 + 26 * i);
        options_[i]->adjustSize();
    }
    apply_ = MakeButton("BTN12", QStringLiteral("確定"), area, 8, 184);
}

void WallpaperPage::Open()
{
    const QString current =
        ReadWallpaperSetting(*ctx_.services.desktop, WallpaperProfilePath(ctx_.programFolder));
    if (current.isEmpty()) {
        file_->clear();
        options_[3]->setChecked(true);
    } else {
        file_->setText(current.mid(1));
        for (int i = 0; i < 3; ++i) {
            if (current.left(1) == QLatin1String(kOptions[i].code))
                options_[i]->setChecked(true);
        }
    }
    shown_ = {file_->text(), CheckedOption()};
}

int WallpaperPage::CheckedOption() const
{
    for (int i = 0; i < int(options_.size()); ++i) {
        if (options_[i]->isChecked())
            return i;
    }
    return -1;
}

QString WallpaperPage::WholePath() const
{
    const QString typed = file_->text();
    return typed.isEmpty() ? typed : ResolveUserPath(typed, ctx_.programFolder);
}

bool WallpaperPage::Apply()
{
    // The page shows a placement the desktop offers beyond the three (a
    // zoomed picture, say) as 中央に表示: confirmed as shown, the desktop
    // keeps its own.
    const int option = CheckedOption();
    if (file_->text() == shown_.file && option == shown_.option)
        return true;
    QString file;
    QString code = "0";
    if (option >= 0 && kOptions[option].code) {
        file = WholePath();
        code = QLatin1String(kOptions[option].code);
    }
    const QString profile = WallpaperProfilePath(ctx_.programFolder);
    switch (ApplyWallpaper(*ctx_.services.desktop, profile, file, code)) {
    case WallpaperResult::Applied:
    case WallpaperResult::NotShown:
        // The desktop's own reaction to a change it refuses is left to it.
        return true;
    case WallpaperResult::NotAllowed:
        ctx_.services.messages->show(window_,
                                     QStringLiteral("この画面環境では、プログラムから壁紙を変更できません。"
                                                    "デスクトップの設定で変更してください。"),
                                     QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Information);
        return true;
    case WallpaperResult::Unreadable:
        ShowUnreadable(file);
        return false;
    case WallpaperResult::NotKept:
        ShowWriteFailure(*ctx_.services.messages, window_, QStringLiteral("壁紙を記録できませんでした。"),
                         profile, QStringLiteral("次に起動したときは元の壁紙に戻ります。"));
        return false;
    }
    return false;
}

void WallpaperPage::ShowUnreadable(const QString &file)
{
    const FileKind kind = KindOfFile(file);
    const QString what = kind == FileKind::NotRegular ? NotRegularFileMessage(file)
                         : kind == FileKind::Missing
                             ? QStringLiteral("壁紙のファイルが見つかりません。\n") + QDir::toNativeSeparators(file)
                             : QStringLiteral("壁紙の画像を読み込めませんでした。\n") + QDir::toNativeSeparators(file);
    ctx_.services.messages->show(
        window_, what + QStringLiteral("\n\n") + QStringLiteral("BMP・JPEG・PNG などの画像のファイルを指定してください。"),
        QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Warning);
}

void WallpaperPage::ChooseFile()
{
    clsDialog dialog(*ctx_.services.choosers);
    dialog.setDialogTitle(QStringLiteral("壁紙を選択してください。"));
    dialog.setInitialDir(WholePath());
    dialog.setFilter(ChooserFilter());
    const QString chosen = dialog.FileName(window_);
    if (!chosen.isEmpty())
        file_->setText(chosen);
}

PageDefinition WallpaperPageDefinition()
{
    return DefinePage<WallpaperPage>(PageWallpaper, QStringLiteral("AreaWall"), {8, 0}, QStringLiteral("Tockara [壁紙設定]"));
}
