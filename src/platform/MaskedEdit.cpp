#include "MaskedEdit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

MaskedEdit::MaskedEdit(QWidget* parent)
    : QLineEdit(parent) {
    // Edits made behind the mask's back (context menu, a QLineEdit* caller) are put back
    // into the slots.
    connect(this, &QLineEdit::textChanged, this, &MaskedEdit::displayChanged);
}

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent)
    : MaskedEdit(parent) {
    setMask(mask);
}

void MaskedEdit::setMask(const QString& mask) {
    mask_ = mask;
    layout_.clear();
    for (qsizetype i = 0; i < mask.size(); ++i) {
        const QChar c = mask.at(i);
        if (c == QLatin1Char('\\') && i + 1 < mask.size())
            layout_.append(Position{mask.at(++i)});
        else if (c == QLatin1Char('#'))
            layout_.append(Position{QChar()});
        else
            layout_.append(Position{c});
    }
    values_ = QList<QChar>(layout_.size());
    if (mask_.isEmpty()) {
        setMaxLength(32767);
        QLineEdit::setText(QString());
        return;
    }
    setMaxLength(int(layout_.size()));
    render(0);
}

void MaskedEdit::setPromptChar(QChar prompt) {
    prompt_ = prompt;
    if (!mask_.isEmpty())
        render(cursorPosition());
}

QString MaskedEdit::Text() const {
    if (mask_.isEmpty() || promptInclude_)
        return text();
    if (ClipText().isEmpty())
        return QString();
    QString out;
    for (qsizetype i = 0; i < layout_.size(); ++i) {
        if (!layout_[i].isSlot())
            out += layout_[i].literal;
        else if (!values_[i].isNull())
            out += values_[i];
    }
    return out;
}

void MaskedEdit::setText(const QString& text) {
    if (mask_.isEmpty()) {
        QLineEdit::setText(text);
        return;
    }
    absorb(text);
    render(int(layout_.size()));
}

QString MaskedEdit::ClipText() const {
    if (mask_.isEmpty())
        return text();
    QString out;
    for (qsizetype i = 0; i < layout_.size(); ++i) {
        if (layout_[i].isSlot() && !values_[i].isNull())
            out += values_[i];
    }
    return out;
}

void MaskedEdit::keyPressEvent(QKeyEvent* event) {
    if (mask_.isEmpty() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const int selStart = hasSelectedText() ? selectionStart() : -1;
    const int selEnd = hasSelectedText() ? selectionStart() + selectionLength() : -1;
    if (event->matches(QKeySequence::Paste)) {
        const QString clip = QGuiApplication::clipboard()->text();
        for (QChar c : clip) {
            if (!typeChar(c))
                break;
        }
    } else if (event->matches(QKeySequence::Cut)) {
        if (selStart >= 0) {
            copy();
            clearRange(selStart, selEnd);
            render(selStart);
        }
    } else if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo) ||
               event->matches(QKeySequence::DeleteStartOfWord) ||
               event->matches(QKeySequence::DeleteEndOfWord) ||
               event->matches(QKeySequence::DeleteCompleteLine)) {
        // No undo history and no word deletion in a mask.
    } else if (event->key() == Qt::Key_Backspace) {
        if (selStart >= 0) {
            clearRange(selStart, selEnd);
            render(selStart);
        } else if (const int slot = slotBefore(cursorPosition()); slot >= 0) {
            values_[slot] = QChar();
            render(slot);
        }
    } else if (event->key() == Qt::Key_Delete) {
        if (selStart >= 0) {
            clearRange(selStart, selEnd);
            render(selStart);
        } else if (const int slot = slotAtOrAfter(cursorPosition()); slot >= 0) {
            values_[slot] = QChar();
            render(cursorPosition());
        }
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        for (QChar c : event->text())
            typeChar(c);
    } else {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MaskedEdit::inputMethodEvent(QInputMethodEvent* event) {
    if (mask_.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    for (QChar c : event->commitString())
        typeChar(c);
    event->accept();
}

bool MaskedEdit::accepts(int slotPosition, QChar c) const {
    return layout_[slotPosition].isSlot() && c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int MaskedEdit::slotAtOrAfter(int position) const {
    for (int i = std::max(0, position); i < layout_.size(); ++i) {
        if (layout_[i].isSlot())
            return i;
    }
    return -1;
}

int MaskedEdit::slotBefore(int position) const {
    for (int i = std::min(position, int(layout_.size())) - 1; i >= 0; --i) {
        if (layout_[i].isSlot())
            return i;
    }
    return -1;
}

bool MaskedEdit::typeChar(QChar c) {
    const bool selected = hasSelectedText();
    const int start = selected ? selectionStart() : cursorPosition();
    // Typing the literal that stands at the cursor steps over it.
    if (!selected && start < layout_.size() && !layout_[start].isSlot()) {
        if (layout_[start].literal == c) {
            render(start + 1);
            return true;
        }
    }
    const int slot = slotAtOrAfter(start);
    if (slot < 0 || !accepts(slot, c))
        return false;
    if (selected)
        clearRange(start, start + selectionLength());
    values_[slot] = c;
    int next = slot + 1;
    while (next < layout_.size() && !layout_[next].isSlot())
        ++next;
    render(next);
    return true;
}

void MaskedEdit::clearRange(int from, int to) {
    for (int i = std::max(0, from); i < std::min(to, int(layout_.size())); ++i)
        values_[i] = QChar();
}

void MaskedEdit::absorb(const QString& text) {
    values_.fill(QChar());
    bool positional = text.size() == layout_.size();
    for (qsizetype i = 0; positional && i < layout_.size(); ++i) {
        if (!layout_[i].isSlot() && text.at(i) != layout_[i].literal)
            positional = false;
    }
    if (positional) {
        for (int i = 0; i < layout_.size(); ++i) {
            if (accepts(i, text.at(i)))
                values_[i] = text.at(i);
        }
        return;
    }
    int slot = slotAtOrAfter(0);
    for (QChar c : text) {
        if (slot < 0)
            break;
        if (accepts(slot, c)) {
            values_[slot] = c;
            slot = slotAtOrAfter(slot + 1);
        }
    }
}

void MaskedEdit::render(int cursor) {
    QString display;
    display.reserve(layout_.size());
    for (qsizetype i = 0; i < layout_.size(); ++i) {
        if (!layout_[i].isSlot())
            display += layout_[i].literal;
        else
            display += values_[i].isNull() ? prompt_ : values_[i];
    }
    rendering_ = true;
    if (display != text())
        QLineEdit::setText(display);
    setCursorPosition(std::clamp(cursor, 0, int(display.size())));
    rendering_ = false;
}

void MaskedEdit::displayChanged(const QString& display) {
    if (rendering_ || mask_.isEmpty())
        return;
    const int cursor = cursorPosition();
    absorb(display);
    render(cursor);
}
