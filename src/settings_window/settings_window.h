#pragma once
// The settings window (frmSub): one modal tool window that shows one page per
// opening, the page that PageRequest names. It is built fresh on every
// opening; what must outlive a closing lives in SettingsWindowState.
#include <QDialog>
#include <QHash>
#include <array>
#include <memory>

#include "settings_window/settings_window_state.h"

class QFrame;
class QTimer;
struct Context;
class AlarmPage;
class DigitalPage;
class SizePage;
class SpinButton;
class ThicknessPage;

class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    // Loads the window for ctx.PageRequest: sets ToolWindowOpen, fills and
    // shows that page's frame and sets the title.
    SettingsWindow(Context &ctx, SettingsWindowState &state, QWidget *parent = nullptr);
    ~SettingsWindow() override;

    // The apply buttons (BTN) by index: read the page, store, save, apply,
    // close. A page whose fields cannot be read keeps the window open.
    void BTN_Click(int index);
    // 閉じる: closes without applying anything.
    void CBTN_Click();
    // The alarm presets' option buttons.
    void OPT_Click(int index);
    // A colour swatch: runs the colour chooser and shows the chosen colour.
    void DspCol_Click(int index);
    // One tick of the spin buttons' 50 ms auto-repeat.
    void TMC_Timer();

    // Every way of closing (buttons, Escape, the frame's close box) ends here.
    void done(int result) override;

private:
    void buildFrames();
    void buildPages();
    void connectControls();
    void openPage();
    void paintSpinButtons();
    void spinPressed(int index, int y);
    void spinReleased(int index);
    void closeWindow();

    Context &ctx_;
    SettingsWindowState &state_;
    QHash<QString, QFrame *> frames_;
    std::array<SpinButton *, 7> spinButtons_{};
    QTimer *repeatTimer_;   // TMC
    std::unique_ptr<SizePage> sizePage_;
    std::unique_ptr<AlarmPage> alarmPage_;
    std::unique_ptr<ThicknessPage> thicknessPage_;
    std::unique_ptr<DigitalPage> digitalPage_;
};

// Opens the settings window on ctx.PageRequest, owned by owner, and returns
// when it has closed. The window is created for this opening and dropped.
void OpenSettingsWindow(Context &ctx, SettingsWindowState &state, QWidget *owner);
