#pragma once

#include <functional>

class QLineEdit;
class QWidget;

// Focus and key helpers shared by the screens. A field's "screen" is its nearest ChildScreen
// ancestor (its window when it has none).

// Runs the action when the focus leaves the field for another control of the same screen
// (Tab, Enter, a click, or the program moving it). It does not run when a message box, a menu
// or another window takes the focus: if the focus comes back to the field from there, nothing
// runs; if it comes back to another control of the screen, the action runs then.
// The action always runs queued, after the focus change has completed, never inside Qt's
// focus notification, so it may open a modal message box or move the focus itself.
// Several actions may be set on one field; they run in the order they were set.
void OnLostFocus(QWidget* field, std::function<void()> action);

// Runs the action, queued, when the field gets the focus, unless the focus merely comes back
// to it from a message box, a menu or another window. It runs only if the field still has
// the focus by then.
void OnGotFocus(QWidget* field, std::function<void()> action);

// Makes a line edit (or MaskedEdit) display-only: every typed character, Backspace, Delete,
// paste, cut and undo are discarded, while the field stays focusable and the program may
// still set its text. Enter, Esc, Tab and the cursor keys pass on, so the screen's own rules
// still apply.
void MakeDisplayOnly(QWidget* field);

// A text field reached by Tab or Enter shows its text unselected with the cursor at its first
// position (ChildScreen sees to it), unless it is marked here as one that selects its whole text
// when it gets the focus.
void SetSelectsTextOnFocus(QWidget* field);
bool SelectsTextOnFocus(const QWidget* field);

// Makes a line edit a password field: an asterisk for each character typed.
void MakePasswordField(QLineEdit* field);

// The next control after `from` in the screen's tab order that takes Tab focus (enabled,
// visible, inside the screen), wrapping from the last to the first as Tab does; null when
// the screen has none. `from` may be null or outside the screen: then the first is returned.
QWidget* NextInTabOrder(QWidget* screen, QWidget* from);

// Posts a move of the focus to the next control in the screen's tab order. It happens after
// the current event has been handled, starting from `from` (or, when null or gone by then,
// from the control that has the focus).
void PostFocusNext(QWidget* screen, QWidget* from = nullptr);

// Posts a Tab keystroke to whatever control has the focus once the current event is handled,
// as the platform's keystroke simulation does.
void PostTabKeystroke();
