#pragma once
// frmMenu: the never-shown window that owns the clock's popup menu tree and
// handles its commands. Items are QActions named array + index ("barBack4");
// an item that opens a submenu is a QMenu of that name, whose menuAction()
// carries the name too.
#include <QHash>
#include <QPoint>
#include <QString>
#include <QWidget>

class QAction;
class QMenu;
struct Context;

class PopupMenu : public QWidget {
    Q_OBJECT

public:
    explicit PopupMenu(Context &ctx, QWidget *parent = nullptr);

    // The popup the clock opens: the submenu of the invisible top item "Sys".
    QMenu *popup() const { return sys_; }
    // The item of an array index, e.g. item("barBack", 4); null when none.
    QAction *item(const QString &array, int index) const;
    // The submenu an item opens; null for an item without one.
    QMenu *submenu(const QString &array, int index) const;

    // Opens the popup with its top-left corner at anchor (screen pixels);
    // returns when the menu has closed and the chosen command has run.
    void ShowPopupMenu(QPoint anchor);

    // Check marks of "背景の表示", "イメージの拡大・縮小" and "タイル" from
    // "Image" "Enabled", "JustSize" and "TilePattern".
    void SyncBackgroundMenuChecks();

    // Names action array + index and sends its clicks to that array's handler;
    // for items added at run time (launcher entries, folder items).
    void attachItem(QAction *action, const QString &array, int index);

    // Click handlers, one per array; each receives the item's index and does
    // nothing for an index it does not know.
    void barMenu_Click(int index);
    void barEnv_Click(int index);
    void barColor_Click(int index);
    void barBack_Click(int index);
    void barLunch_Click(int index);
    void barDesktop_Click(int index);
    void barRecent_Click(int index);
    void barDocument_Click(int index);
    void barDrive_Click(int index);
    void barMoni_Click(int index);
    void barOpt_Click(int index);
    void barHelp_Click(int index);

private:
    void BuildTree();
    void Dispatch(const QString &array, int index);

    void PickFaceColor(int index);
    void PickAnimationFile();
    void ToggleBackgroundOption(int index);
    void PickBackgroundImage();
    void OpenQuickMemo();
    void OpenPage(qint16 page);
    void ExitProgram();

    // The clock window: owner of the choosers.
    QWidget *clockWindow() const;

    Context &ctx_;
    QMenu *sys_ = nullptr;
    QHash<QString, QAction *> items_;
    QHash<QString, QMenu *> submenus_;
};
