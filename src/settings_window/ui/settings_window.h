#pragma once
// The settings window (frmSub): one modal tool window that shows one page
// per opening, the page PageRequest names, as the page registry defines it.
// The window is built fresh on every opening with that page only; what must
// outlive a closing lives in SettingsWindowState (or with the page's own
// registration).
#include <QDialog>
#include <QList>
#include <memory>

#include "settings_window/settings_window_state.h"
#include "settings_window/ui/settings_page.h"

class QTimer;
struct Context;

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    // Loads the window for ctx.PageRequest: sets ToolWindowOpen, builds,
    // fills and shows that page's frame, sets the title. A request without a
    // registered page shows the bare window under "Tockara [設定]".
    SettingsWindow(Context &ctx, SettingsWindowState &state, const PageRegistry &pages,
                   QWidget *parent = nullptr);
    ~SettingsWindow() override;

    // The page shown; null when the request has none.
    SettingsPage *page() const { return page_.get(); }

    // 閉じる: closes without applying anything.
    void CBTN_Click();
    // One tick of the spin buttons' 50 ms auto-repeat.
    void TMC_Timer();

    // Every way of closing (buttons, Escape, the frame's close box) ends here.
    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openPage(const PageDefinition &definition);
    void applyPage();
    void connectSpins();
    void paintSpinButtons();
    const PageSpin *spinOf(int index) const;
    void spinPressed(int index, int y);
    void spinReleased(int index);

    Context &ctx_;
    SettingsWindowState &state_;
    std::unique_ptr<SettingsPage> page_;
    QList<PageSpin> spins_;
    QTimer *repeatTimer_;   // TMC
};

// The inside of the window: 297 x 221 pixels (303 x 249 with a classic
// dialog frame), grown where a page's frame at its position needs more.
QSize SettingsWindowInside(const PageRegistry &pages);

// Opens the settings window on ctx.PageRequest, owned by owner, and returns
// when it has closed.
void OpenSettingsWindow(Context &ctx, SettingsWindowState &state, const PageRegistry &pages,
                        QWidget *owner);
