#include "MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace {

MsgBoxResponder& responder() {
    static MsgBoxResponder instance;
    return instance;
}

struct ButtonSpec {
    QMessageBox::StandardButton standard;
    const char* caption;
    MsgBoxResult result;
};

QList<ButtonSpec> buttonsOf(MsgBoxButtons buttons) {
    const ButtonSpec ok{QMessageBox::Ok, "OK", MsgBoxResult::Ok};
    const ButtonSpec cancel{QMessageBox::Cancel, "Cancelar", MsgBoxResult::Cancel};
    const ButtonSpec abort{QMessageBox::Abort, "Anular", MsgBoxResult::Abort};
    const ButtonSpec retry{QMessageBox::Retry, "Repetir", MsgBoxResult::Retry};
    const ButtonSpec ignore{QMessageBox::Ignore, "Ignorar", MsgBoxResult::Ignore};
    const ButtonSpec yes{QMessageBox::Yes, "Sim", MsgBoxResult::Yes};
    const ButtonSpec no{QMessageBox::No, "Não", MsgBoxResult::No};
    switch (buttons) {
    case MsgBoxButtons::OkOnly:
        return {ok};
    case MsgBoxButtons::OkCancel:
        return {ok, cancel};
    case MsgBoxButtons::AbortRetryIgnore:
        return {abort, retry, ignore};
    case MsgBoxButtons::YesNoCancel:
        return {yes, no, cancel};
    case MsgBoxButtons::YesNo:
        return {yes, no};
    case MsgBoxButtons::RetryCancel:
        return {retry, cancel};
    }
    return {ok};
}

// The answer of a box closed without pressing a button.
MsgBoxResult closedAnswer(MsgBoxButtons buttons) {
    switch (buttons) {
    case MsgBoxButtons::OkOnly:
        return MsgBoxResult::Ok;
    case MsgBoxButtons::YesNo:
        return MsgBoxResult::No;
    case MsgBoxButtons::AbortRetryIgnore:
        return MsgBoxResult::Abort;
    default:
        return MsgBoxResult::Cancel;
    }
}

QMessageBox::Icon iconOf(MsgBoxIcon icon) {
    switch (icon) {
    case MsgBoxIcon::None:
        return QMessageBox::NoIcon;
    case MsgBoxIcon::Critical:
        return QMessageBox::Critical;
    case MsgBoxIcon::Question:
        return QMessageBox::Question;
    case MsgBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MsgBoxRecorder*& currentRecorder() {
    static MsgBoxRecorder* recorder = nullptr;
    return recorder;
}

} // namespace

MsgBoxResult MsgBox(const QString& text, MsgBoxButtons buttons, MsgBoxIcon icon, const QString& title) {
    if (responder()) {
        // Copied, so a responder that replaces itself stays alive while it answers.
        const MsgBoxResponder answer = responder();
        return answer(MsgBoxCall{text, buttons, icon, title});
    }
    QMessageBox box(iconOf(icon), title, text, QMessageBox::NoButton, QApplication::activeWindow());
    const QList<ButtonSpec> specs = buttonsOf(buttons);
    QList<std::pair<QAbstractButton*, MsgBoxResult>> pressed;
    for (const ButtonSpec& entry : specs) {
        QPushButton* button = box.addButton(entry.standard);
        button->setText(QString::fromUtf8(entry.caption));
        pressed.append({button, entry.result});
    }
    box.setDefaultButton(static_cast<QPushButton*>(pressed.first().first));
    box.exec();
    for (const auto& [button, result] : std::as_const(pressed)) {
        if (box.clickedButton() == button)
            return result;
    }
    return closedAnswer(buttons);
}

void ShowFatalError(const QString& message) {
    MsgBox(message, MsgBoxButtons::OkOnly, MsgBoxIcon::Critical, kMsgBoxTitle);
}

void SetMsgBoxResponder(MsgBoxResponder answer) {
    responder() = std::move(answer);
}

MsgBoxRecorder::MsgBoxRecorder(MsgBoxResult answerWith)
    : answer(answerWith) {
    currentRecorder() = this;
    SetMsgBoxResponder([](const MsgBoxCall& call) {
        MsgBoxRecorder* self = currentRecorder();
        self->calls.append(call);
        return self->onMessage ? self->onMessage(call) : self->answer;
    });
}

MsgBoxRecorder::~MsgBoxRecorder() {
    if (currentRecorder() == this) {
        currentRecorder() = nullptr;
        SetMsgBoxResponder({});
    }
}

QStringList MsgBoxRecorder::texts() const {
    QStringList out;
    for (const MsgBoxCall& call : calls)
        out << call.text;
    return out;
}
