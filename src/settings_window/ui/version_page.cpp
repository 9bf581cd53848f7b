#include "settings_window/ui/version_page.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>

#include "context/pages.h"
#include "settings_window/ui/page_controls.h"
#include "settings_window/version_text.h"

namespace {

QLabel *NameLabel(const QString &name, QColor colour, QWidget *parent, int x, int y)
{
    QLabel *label = MakeLabel(name, QStringLiteral("Tockara"), parent, x, y);
    QFont font = label->font();
    font.setPointSizeF(15.75);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

} // namespace

VersionPage::VersionPage(const PageEnvironment &environment)
{
    QFrame *area = environment.area;
    // The name in blue over its shadow one pixel right and below.
    QLabel *shadow = NameLabel("LBL9", area->palette().color(QPalette::Dark), area, 9, 9);
    QLabel *name = NameLabel("LBL10", QColor(0, 0, 255), area, 8, 8);
    shadow->lower();
    name->raise();

    auto *icon = new QLabel(area);
    icon->setObjectName(QStringLiteral("ImgChar"));
    icon->setTextFormat(Qt::PlainText);
    // The program's own icon, which start-up gave every window.
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    icon->setGeometry(240, 8, 32, 32);

    version_ = MakeLabel("DSP0", QString(), area, 16, 44);
    MakeLabel("DSP1", QStringLiteral("Linux のデスクトップに置くアナログ時計"), area, 16, 72);
    MakeLabel("LBL12", QStringLiteral("作者"), area, 16, 104);
    MakeLabel("DSP4", QStringLiteral("Tockara 開発チーム"), area, 56, 104);
    MakeLabel(QString(),
              QStringLiteral("Qt 6、libcdio、XRandR、libarchive、7-Zip を\n使わせていただいています。"),
              area, 16, 136);
}

void VersionPage::Open()
{
    version_->setText(VersionText(CurrentVersion()));
    version_->adjustSize();
}

PageDefinition VersionPageDefinition()
{
    // The content stands on the window's surface: its frame sits at the corner.
    return DefinePage<VersionPage>(PageVersion, QStringLiteral("AreaVersion"), {0, 0}, QStringLiteral("Tockara バージョン情報"));
}
