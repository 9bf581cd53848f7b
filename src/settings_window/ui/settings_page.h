#pragma once
// One page of the settings window, and the registry that tells the window
// which page each PageRequest opens. A feature adds its page by registering
// it from its own folder; the window itself knows no page.
#include <functional>
#include <memory>
#include <QHash>
#include <QList>
#include <QPoint>
#include <QString>

#include "settings_window/spin_repeat.h"

class FieldEdit;
class QAbstractButton;
class QFrame;
class QKeyEvent;
class QWidget;
class SpinButton;
struct Context;
struct SettingsWindowState;

// A spin button of a page with the field it steps and the field's bounds.
struct PageSpin {
    SpinButton *button;
    FieldEdit *field;
    SpinRange range;
};

class SettingsPage {
public:
    virtual ~SettingsPage() = default;

    // Fills the page's controls from the program's state. Runs on every
    // opening, before the page becomes visible.
    virtual void Open() = 0;
    // The page's apply button (確定): stores what the controls hold and says
    // whether the window may close. A page that cannot store its controls
    // (a field that is no number) has told the user and returns false.
    virtual bool Apply() { return true; }
    // The button that applies the page and closes the window; null for a
    // page whose buttons act on their own and keep the window open.
    virtual QAbstractButton *ApplyButton() const { return nullptr; }
    // The page's spin buttons; the window repeats them while they are held.
    virtual QList<PageSpin> Spins() const { return {}; }
    // A key pressed anywhere in the window, before the focused control sees
    // it. true when the page used it.
    virtual bool KeyPreview(QKeyEvent *) { return false; }
    // A key released anywhere in the window, before the focused control.
    virtual bool KeyReleasePreview(QKeyEvent *) { return false; }
};

// What a page is built with: its frame, the program's state, the window's
// surviving state, and the window that owns the page's boxes and choosers.
struct PageEnvironment {
    QFrame *area;
    Context &ctx;
    SettingsWindowState &state;
    QWidget *window;
};

struct PageDefinition {
    qint16 request;             // the PageRequest that opens the page
    QString frame;              // objectName of the page's frame ("AreaSize")
    QPoint position{8, 0};      // where the frame stands in the window
    QString title;              // the window title; empty keeps "Tockara [設定]"
    // Builds the page's controls into environment.area.
    std::function<std::unique_ptr<SettingsPage>(const PageEnvironment &environment)> create;
};

// The definition of a page built as Page(environment, extra...): the extra
// values are state the page keeps beyond each window (shared pointers).
template <class Page, class... Extra>
PageDefinition DefinePage(qint16 request, QString frame, QPoint position, QString title, Extra... extra)
{
    return {request, std::move(frame), position, std::move(title),
            [extra...](const PageEnvironment &environment) -> std::unique_ptr<SettingsPage> {
                return std::make_unique<Page>(environment, extra...);
            }};
}

class PageRegistry {
public:
    // Every page frame is this size.
    static constexpr int FrameWidth = 281;
    static constexpr int FrameHeight = 217;

    // Adds a page; a second page for the same request replaces the first.
    void add(PageDefinition page);
    // The page request opens, or null when none is registered for it.
    const PageDefinition *find(qint16 request) const;
    QList<const PageDefinition *> pages() const;

private:
    QHash<qint16, PageDefinition> pages_;
};
