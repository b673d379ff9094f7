#pragma once

#include <QLineEdit>

// A line edit that behaves like the Masked Edit control for masks such as "##/##/####" and
// "##:##:##". In the mask "#" is a digit slot, "\" makes the next character a literal, and
// every other character is a literal shown as is. An unfilled slot shows the prompt character
// ("_" unless changed), so an empty date field reads "__/__/____".
//
// Typing a digit fills the slot at the cursor (skipping literals) and moves on; anything else
// is refused in a "#" slot. With a selection, a typed digit first clears the selected slots.
// Backspace clears the slot before the cursor, Delete the one at it. An empty mask makes it a
// plain line edit.
//
// Text() follows PromptInclude, as the control's Text property does:
//  - true (the default): the whole display, literals and prompt characters, "05/1_/____";
//  - false: the display without prompt characters; literals are kept ("05/12/2026"), and a
//    field with no slot filled reads "" (not "//"), so a screen can test for an empty field.
// setText() accepts either form: a text as long as the mask with its literals in place fills
// the slots position by position (a prompt or any invalid character leaves that slot
// unfilled); any other text fills the slots in order with its valid characters, so ""
// clears the field and "05122026" is "05/12/2026". QLineEdit::text() is always the display.
class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskedEdit(QWidget* parent = nullptr);
    explicit MaskedEdit(const QString& mask, QWidget* parent = nullptr);

    void setMask(const QString& mask);
    QString mask() const { return mask_; }
    void setPromptChar(QChar prompt);
    QChar promptChar() const { return prompt_; }
    void setPromptInclude(bool include) { promptInclude_ = include; }
    bool promptInclude() const { return promptInclude_; }

    QString Text() const;
    void setText(const QString& text);
    // The characters of the filled slots only, without literals ("05122026").
    QString ClipText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    struct Position {
        QChar literal; // null for a slot
        bool isSlot() const { return literal.isNull(); }
    };

    bool accepts(int slotPosition, QChar c) const;
    int slotAtOrAfter(int position) const;
    int slotBefore(int position) const;
    bool typeChar(QChar c);
    void clearRange(int from, int to);
    void absorb(const QString& text);
    void render(int cursor);
    void displayChanged(const QString& display);

    QString mask_;
    QList<Position> layout_;
    QList<QChar> values_; // one per display position; null where unfilled or literal
    QChar prompt_ = QLatin1Char('_');
    bool promptInclude_ = true;
    bool rendering_ = false;
};
