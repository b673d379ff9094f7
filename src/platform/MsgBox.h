#pragma once

#include <QList>
#include <QString>
#include <functional>

// The platform's message box: the only way the program shows one.
enum class MsgBoxButtons { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgBoxIcon { None, Critical, Question, Exclamation, Information };
enum class MsgBoxResult { Ok, Cancel, Abort, Retry, Ignore, Yes, No };

inline const QString kMsgBoxTitle = QStringLiteral("Velto");

// Shows the text in a modal box with the buttons (Portuguese captions: "OK", "Cancelar",
// "Sim", "Não", "Anular", "Repetir", "Ignorar") and returns the button pressed. Closing the
// box without a button answers Cancel where there is one, No for Yes/No, Ok for OK alone.
MsgBoxResult MsgBox(const QString& text, MsgBoxButtons buttons = MsgBoxButtons::OkOnly,
                    MsgBoxIcon icon = MsgBoxIcon::None, const QString& title = kMsgBoxTitle);

// Shows a fatal error (the driver's message) in a box titled "Velto", OK only, critical icon.
void ShowFatalError(const QString& message);

// While one lives, the boxes MsgBox shows are those of an unattended terminal: each closes by
// itself after `timeoutMs` (answering as a box closed without a button), and a line typed into it
// (a card scanned: its characters, then Enter) closes it and is kept for the caller, instead of
// the Enter pressing the button and the characters being lost. A line still being typed when the
// time is up is waited for while its keys keep coming.
class MsgBoxUnattended {
public:
    explicit MsgBoxUnattended(int timeoutMs);
    ~MsgBoxUnattended();
    MsgBoxUnattended(const MsgBoxUnattended&) = delete;
    MsgBoxUnattended& operator=(const MsgBoxUnattended&) = delete;

    int timeoutMs() const { return timeoutMs_; }
    // The line typed into the last box, once; empty when none was.
    QString takeTypedLine();
    void setTypedLine(const QString& line) { typedLine_ = line; }

private:
    int timeoutMs_;
    QString typedLine_;
    MsgBoxUnattended* outer_;
};

// One message as the program asked for it.
struct MsgBoxCall {
    QString text;
    MsgBoxButtons buttons;
    MsgBoxIcon icon;
    QString title;
};

// For tests: while a responder is set, MsgBox opens no window; the responder gets each
// message and its answer is what MsgBox returns. An empty function restores real boxes.
using MsgBoxResponder = std::function<MsgBoxResult(const MsgBoxCall&)>;
void SetMsgBoxResponder(MsgBoxResponder responder);

// For tests: records every message while it lives and answers with `answer`, or with what
// onMessage returns when set (it runs while the "box" is open, as a user's reply would).
class MsgBoxRecorder {
public:
    explicit MsgBoxRecorder(MsgBoxResult answer = MsgBoxResult::Ok);
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    QList<MsgBoxCall> calls;
    MsgBoxResult answer;
    std::function<MsgBoxResult(const MsgBoxCall&)> onMessage;

    // The texts of the recorded messages, in order.
    QStringList texts() const;
};
