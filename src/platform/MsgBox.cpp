#include "MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <optional>
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

MsgBoxUnattended*& currentUnattended() {
    static MsgBoxUnattended* scope = nullptr;
    return scope;
}

// Gathers a line typed into an unattended box and closes the box at its Enter or when its time
// is up.
class UnattendedBox : public QObject {
public:
    UnattendedBox(QMessageBox& box, MsgBoxUnattended& scope)
        : box_(box)
        , scope_(scope) {
        timer_.setSingleShot(true);
        // A coarse timer may fire up to 5 % early: the box must stay its whole five seconds.
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &UnattendedBox::timeUp);
        timer_.start(scope.timeoutMs());
        qApp->installEventFilter(this);
    }
    ~UnattendedBox() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
            static_cast<QWidget*>(watched)->window() != &box_)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter) {
            if (line_.isEmpty())
                return false; // a plain Enter presses the button
            finish();
            return true;
        }
        if (key->text().isEmpty() || !key->text().at(0).isPrint())
            return false;
        line_ += key->text();
        if (late_)
            timer_.start(kLateKeysMs);
        return true;
    }

private:
    // Keys of a scanner come a few milliseconds apart; a line this long without one is over.
    static constexpr int kLateKeysMs = 1000;

    void timeUp() {
        if (!line_.isEmpty() && !late_) {
            late_ = true;
            timer_.start(kLateKeysMs);
            return;
        }
        finish();
    }

    void finish() {
        timer_.stop();
        scope_.setTypedLine(line_);
        box_.done(0);
    }

    QMessageBox& box_;
    MsgBoxUnattended& scope_;
    QTimer timer_;
    QString line_;
    bool late_ = false;
};

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
    std::optional<UnattendedBox> unattended;
    if (MsgBoxUnattended* scope = currentUnattended()) {
        scope->setTypedLine(QString());
        unattended.emplace(box, *scope);
    }
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

MsgBoxUnattended::MsgBoxUnattended(int timeoutMs)
    : timeoutMs_(timeoutMs)
    , outer_(currentUnattended()) {
    currentUnattended() = this;
}

MsgBoxUnattended::~MsgBoxUnattended() {
    currentUnattended() = outer_;
}

QString MsgBoxUnattended::takeTypedLine() {
    return std::exchange(typedLine_, QString());
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
