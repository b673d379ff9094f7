#include "ChildScreen.h"

#include "FocusHelpers.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <utility>

namespace {

// The line edit that shows a field's text: the field itself, or the one inside a combo or spin box.
QLineEdit* textOf(QWidget* field) {
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        return edit;
    if (auto* combo = qobject_cast<QComboBox*>(field))
        return combo->lineEdit();
    if (qobject_cast<QAbstractSpinBox*>(field))
        return field->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    return nullptr;
}

} // namespace

ChildScreen::ChildScreen(QWidget* parent)
    : QWidget(parent) {
    // Watching the screen itself from the start catches every control the derived
    // constructor adds (ChildAdded), wherever it is nested.
    watch(this);
    // Sent after the field has handled its FocusIn, where a line edit reached by Tab selects all.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusSettled(now); });
}

ChildScreen::~ChildScreen() = default;

QMdiSubWindow* ChildScreen::showIn(QMdiArea* area) {
    const QSize wanted = testAttribute(Qt::WA_Resized) ? size() : sizeHint();
    QMdiSubWindow* sub = area->addSubWindow(this);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    subWindow_ = sub;
    if (centring_ == Centring::OnEveryActivation)
        connect(sub, &QMdiSubWindow::aboutToActivate, this, &ChildScreen::centre);
    sub->show();
    // The subwindow keeps its frame (borders and title bar) as contents margins.
    const QMargins frame = sub->contentsMargins();
    sub->resize(wanted.grownBy(frame));
    centre();
    area->setActiveSubWindow(sub);
    return sub;
}

QMdiSubWindow* ChildScreen::subWindow() const {
    return subWindow_;
}

ChildScreen* ChildScreen::showOnceIn(QMdiArea* area, const QString& name,
                                     const std::function<ChildScreen*()>& make) {
    const QList<QMdiSubWindow*> windows = area->subWindowList();
    for (QMdiSubWindow* window : windows) {
        auto* open = qobject_cast<ChildScreen*>(window->widget());
        if (open && !open->isUnloaded() && open->objectName() == name) {
            if (window->isMinimized())
                window->showNormal();
            area->setActiveSubWindow(window);
            return open;
        }
    }
    ChildScreen* fresh = make();
    fresh->showIn(area);
    return fresh;
}

void ChildScreen::centre() {
    QMdiSubWindow* sub = subWindow_;
    if (!sub || !sub->mdiArea())
        return;
    const QSize client = sub->mdiArea()->viewport()->size();
    const int left = std::max(0, (client.width() - sub->width()) / 2);
    const int top = std::max(0, (client.height() - sub->height()) / 2);
    sub->move(left, top);
    centredOnce_ = true;
}

void ChildScreen::unload() {
    if (subWindow_) {
        subWindow_->close();
        return;
    }
    if (close())
        deleteLater();
}

void ChildScreen::replaceWith(ChildScreen* fresh) {
    QMdiSubWindow* sub = subWindow_;
    if (sub && sub->mdiArea()) {
        fresh->showIn(sub->mdiArea());
    } else {
        fresh->setAttribute(Qt::WA_DeleteOnClose);
        fresh->show();
    }
    emit replaced(fresh);
    unload();
}

bool ChildScreen::previewKeyPress(QWidget*, QKeyEvent*) {
    return false;
}

void ChildScreen::watch(QWidget* widget) {
    widget->installEventFilter(this);
    const auto children = widget->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool ChildScreen::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ChildAdded) {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            child->installEventFilter(this);
        return false;
    }
    if (event->type() == QEvent::FocusIn) {
        noteFocusIn(watched, static_cast<QFocusEvent*>(event));
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* target = static_cast<QWidget*>(watched);
    // A key the focused control ignores travels up to its parents: handle it only once,
    // where it was delivered.
    QWidget* focus = QApplication::focusWidget();
    if (focus && target != focus && target->isAncestorOf(focus))
        return false;
    return handleKey(target, static_cast<QKeyEvent*>(event));
}

void ChildScreen::noteFocusIn(QObject* watched, const QFocusEvent* event) {
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::TabFocusReason && reason != Qt::BacktabFocusReason && reason != Qt::ShortcutFocusReason)
        return;
    auto* field = qobject_cast<QWidget*>(watched);
    if (field && textOf(field) && !SelectsTextOnFocus(field))
        caretField_ = field;
}

void ChildScreen::focusSettled(QWidget* now) {
    QWidget* field = std::exchange(caretField_, nullptr);
    if (!field || field != now)
        return;
    if (QLineEdit* edit = textOf(field)) {
        edit->deselect();
        edit->setCursorPosition(0);
    }
}

bool ChildScreen::handleKey(QWidget* target, QKeyEvent* event) {
    // Popups and dialogs that belong to a control keep their own keys.
    if (target->window() != window() || unloaded_)
        return false;
    if (previewKeyPress(target, event))
        return true;
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        switch (enterRule_) {
        case EnterRule::MoveFocus:
            // On a focused button Enter presses it, as a keyboard user expects; elsewhere it is Tab.
            if (auto* botao = qobject_cast<QPushButton*>(target)) {
                QMetaObject::invokeMethod(botao, &QAbstractButton::click, Qt::QueuedConnection);
                return true;
            }
            PostFocusNext(this, target);
            return true;
        case EnterRule::SendTabKeystroke:
            PostTabKeystroke();
            return true;
        case EnterRule::None:
            return false;
        }
    }
    if (key == Qt::Key_Escape && escUnloads_) {
        unload();
        return true;
    }
    return false;
}

void ChildScreen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    watch(this);
    if (!centredOnce_)
        centre();
}

void ChildScreen::closeEvent(QCloseEvent* event) {
    runUnload();
    event->accept();
}

void ChildScreen::runUnload() {
    if (unloaded_)
        return;
    unloaded_ = true;
    unloadEvent();
    emit unloaded();
}
