#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;

// The base of every child screen of the main window. It carries the conventions all screens
// share, so a screen only states where it differs:
//  - centring in the MDI area's client area, when it loads (or on every activation);
//  - one screen-wide key filter that sees each key before the focused control:
//    Enter/Return moves the focus to the next control in tab order (after the current key
//    event) and is swallowed; Esc unloads the screen;
//  - one unload hook that runs exactly once, whatever closes the screen;
//  - a text field reached by Tab or Enter keeps its text unselected, the cursor at its first
//    position, unless it is marked as selecting its text (SetSelectsTextOnFocus).
//
// A screen builds its controls in its constructor and is then opened with showIn():
//     auto* tela = new frmFeriados;
//     tela->showIn(mdiArea);
// Closing the main window must close the subwindows first (QMdiArea::closeAllSubWindows() in
// its closeEvent) so that every screen's unload hook runs; a screen that is just deleted does
// not run it.
class ChildScreen : public QWidget {
    Q_OBJECT
public:
    enum class EnterRule {
        MoveFocus, // Enter moves the focus on in the screen's tab order (on a button: presses it) and is
                   // swallowed
        SendTabKeystroke, // Enter sends a Tab keystroke to the focused control, then is swallowed
        None,             // Enter is left alone
    };
    enum class Centring {
        OnLoad,           // centred once, when first shown
        OnEveryActivation // centred each time the screen becomes the active subwindow
    };

    explicit ChildScreen(QWidget* parent = nullptr);
    ~ChildScreen() override;

    // Opens the screen as a child of the area, in a subwindow sized to the screen that
    // deletes itself (and the screen) when closed; centres and activates it.
    QMdiSubWindow* showIn(QMdiArea* area);
    // The subwindow hosting the screen, or null when it is not in an MDI area.
    QMdiSubWindow* subWindow() const;
    // One screen of a kind at a time: the screen whose objectName is `name` open in the area (not
    // unloaded) is brought forward, restored if minimised; otherwise `make`'s screen is opened.
    // Whoever asks (a menu, another screen) finds the same one, also after it started over.
    static ChildScreen* showOnceIn(QMdiArea* area, const QString& name,
                                   const std::function<ChildScreen*()>& make);

    void setEnterRule(EnterRule rule) { enterRule_ = rule; }
    EnterRule enterRule() const { return enterRule_; }
    void setEscUnloads(bool unloads) { escUnloads_ = unloads; }
    bool escUnloads() const { return escUnloads_; }
    void setCentring(Centring centring) { centring_ = centring; }
    Centring centring() const { return centring_; }

    // Moves the hosting subwindow to the middle of the MDI area's client area:
    // left = (client width - own width) / 2, top = (client height - own height) / 2,
    // kept at 0 or more so the title bar stays reachable.
    void centre();
    // Closes the screen (as Esc does): the unload hook runs, the screen is deleted later.
    void unload();
    // Shows `fresh` where this screen is (its MDI area, or top-level) and unloads this one: a
    // screen that starts over after a save. replaced(fresh) is emitted in between.
    void replaceWith(ChildScreen* fresh);
    bool isUnloaded() const { return unloaded_; }

signals:
    // Emitted once when the screen unloads, after unloadEvent().
    void unloaded();
    // Emitted by replaceWith(), once the fresh screen is shown.
    void replaced(ChildScreen* fresh);

protected:
    // The screen's own unload handler (give menus back, clear flags...). Runs once.
    virtual void unloadEvent() {}
    // Sees every key press of the screen before the rules above and before the focused
    // control; return true to swallow it. The default does nothing.
    virtual bool previewKeyPress(QWidget* target, QKeyEvent* event);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void watch(QWidget* widget);
    void noteFocusIn(QObject* watched, const QFocusEvent* event);
    void focusSettled(QWidget* now);
    bool handleKey(QWidget* target, QKeyEvent* event);
    void runUnload();

    EnterRule enterRule_ = EnterRule::MoveFocus;
    Centring centring_ = Centring::OnLoad;
    bool escUnloads_ = true;
    bool unloaded_ = false;
    bool centredOnce_ = false;
    QPointer<QMdiSubWindow> subWindow_;
    // The field whose Tab selection is undone once the focus change is complete.
    QPointer<QWidget> caretField_;
};
