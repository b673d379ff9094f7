#include "FocusHelpers.h"

#include "ChildScreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace {

QWidget* screenOf(QWidget* field) {
    for (QWidget* w = field; w; w = w->parentWidget()) {
        if (qobject_cast<ChildScreen*>(w))
            return w;
    }
    return field->window();
}

bool inScreen(QWidget* screen, QWidget* w) {
    return w && screen && (w == screen || screen->isAncestorOf(w)) && w->window() == screen->window();
}

bool screenGone(QWidget* screen) {
    if (!screen || !screen->isVisible())
        return true;
    auto* child = qobject_cast<ChildScreen*>(screen);
    return child && child->isUnloaded();
}

// Follows one field's focus: the lost and got actions, and whether the focus left it for
// somewhere outside its screen (a message box, a menu, another window).
class FocusWatcher : public QObject {
public:
    explicit FocusWatcher(QWidget* field)
        : QObject(field)
        , field_(field) {
        setObjectName(QStringLiteral("velto_focus_watcher"));
        field->installEventFilter(this);
    }

    static FocusWatcher* of(QWidget* field) {
        auto* watcher = field->findChild<FocusWatcher*>(QStringLiteral("velto_focus_watcher"),
                                                        Qt::FindDirectChildrenOnly);
        return watcher ? watcher : new FocusWatcher(field);
    }

    std::vector<std::function<void()>> lost;
    std::vector<std::function<void()>> got;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != field_)
            return false;
        if (event->type() == QEvent::FocusOut)
            QMetaObject::invokeMethod(this, &FocusWatcher::afterFocusOut, Qt::QueuedConnection);
        else if (event->type() == QEvent::FocusIn)
            focusIn();
        return false;
    }

private:
    void afterFocusOut() {
        QWidget* screen = screenOf(field_);
        if (screenGone(screen))
            return;
        QWidget* now = QApplication::focusWidget();
        if (now == field_)
            return;
        if (inScreen(screen, now)) {
            runLost();
            return;
        }
        // The focus went outside the screen: wait to see where it comes back.
        away_ = true;
        if (!waiting_)
            waiting_ = connect(qApp, &QApplication::focusChanged, this, &FocusWatcher::focusMoved);
    }

    void focusMoved(QWidget*, QWidget* now) {
        if (!away_ || !now || now == field_)
            return;
        QWidget* screen = screenOf(field_);
        if (screenGone(screen) || !inScreen(screen, now))
            return;
        stopWaiting();
        QMetaObject::invokeMethod(this, &FocusWatcher::runLost, Qt::QueuedConnection);
    }

    void focusIn() {
        if (away_) {
            stopWaiting();
            return;
        }
        if (!got.empty())
            QMetaObject::invokeMethod(this, &FocusWatcher::runGot, Qt::QueuedConnection);
    }

    void stopWaiting() {
        away_ = false;
        disconnect(waiting_);
        waiting_ = {};
    }

    void runLost() {
        QPointer<FocusWatcher> self(this);
        const auto actions = lost; // an action may add actions or destroy the field
        for (const auto& action : actions) {
            if (!self || screenGone(screenOf(field_)))
                return;
            action();
        }
    }

    void runGot() {
        if (QApplication::focusWidget() != field_)
            return;
        QPointer<FocusWatcher> self(this);
        const auto actions = got;
        for (const auto& action : actions) {
            if (!self)
                return;
            action();
        }
    }

    QWidget* field_;
    bool away_ = false;
    QMetaObject::Connection waiting_;
};

// Discards the keys that would change a display-only field.
class DisplayOnlyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return false;
        default:
            break;
        }
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
            return false;
        return true;
    }
};

bool takesTabFocus(QWidget* screen, QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && !w->focusProxy() && w->isEnabled() &&
           w->isVisibleTo(screen) && w->isVisible();
}

} // namespace

void OnLostFocus(QWidget* field, std::function<void()> action) {
    FocusWatcher::of(field)->lost.push_back(std::move(action));
}

void OnGotFocus(QWidget* field, std::function<void()> action) {
    FocusWatcher::of(field)->got.push_back(std::move(action));
}

void MakeDisplayOnly(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->setReadOnly(true); // covers paste from the context menu, drops and input methods
    field->installEventFilter(new DisplayOnlyFilter(field));
}

namespace {
const char* const kSelectsOnFocus = "velto_selects_text_on_focus";
}

void SetSelectsTextOnFocus(QWidget* field) {
    field->setProperty(kSelectsOnFocus, true);
}

bool SelectsTextOnFocus(const QWidget* field) {
    return field->property(kSelectsOnFocus).toBool();
}

void MakePasswordField(QLineEdit* field) {
    field->setEchoMode(QLineEdit::Password);
    // The style's own mask character is a bullet; the screens show asterisks.
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
}

QWidget* NextInTabOrder(QWidget* screen, QWidget* from) {
    if (!inScreen(screen, from))
        from = screen;
    for (QWidget* w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if (w != screen && inScreen(screen, w) && takesTabFocus(screen, w))
            return w;
    }
    return nullptr;
}

void PostFocusNext(QWidget* screen, QWidget* from) {
    QPointer<QWidget> target(screen);
    QPointer<QWidget> start(from);
    QMetaObject::invokeMethod(
        screen,
        [target, start] {
            if (!target)
                return;
            QWidget* origin = start ? start.data() : QApplication::focusWidget();
            if (QWidget* next = NextInTabOrder(target, origin))
                next->setFocus(Qt::TabFocusReason);
        },
        Qt::QueuedConnection);
}

void PostTabKeystroke() {
    QMetaObject::invokeMethod(
        qApp,
        [] {
            QWidget* w = QApplication::focusWidget();
            if (!w)
                return;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            QCoreApplication::sendEvent(w, &press);
            if (QWidget* now = QApplication::focusWidget()) {
                QKeyEvent release(QEvent::KeyRelease, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
                QCoreApplication::sendEvent(now, &release);
            }
        },
        Qt::QueuedConnection);
}
