#include "ChildScreen.h"
#include "Clock.h"
#include "FocusHelpers.h"
#include "MaskedEdit.h"
#include "MsgBox.h"
#include "QtPrinter.h"
#include "RecordingPrinter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A screen of three fields and a button, in that tab order.
class TelaTeste : public ChildScreen {
public:
    TelaTeste() {
        setWindowTitle(QStringLiteral("Teste"));
        setFixedSize(300, 200);
        a = field("a", 10);
        b = field("b", 50);
        c = field("c", 90);
        botao = new QPushButton(QStringLiteral("OK"), this);
        botao->setObjectName(QStringLiteral("botao"));
        botao->setFocusPolicy(Qt::NoFocus); // so c is the last control in tab order
        botao->move(10, 130);
    }
    QLineEdit* a;
    QLineEdit* b;
    QLineEdit* c;
    QPushButton* botao;
    int unloads = 0;

protected:
    void unloadEvent() override { ++unloads; }

private:
    QLineEdit* field(const char* name, int y) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setGeometry(10, y, 200, 24);
        return edit;
    }
};

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        area.resize(1000, 700);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    }

    TelaTeste* open() {
        auto* tela = new TelaTeste;
        tela->showIn(&area);
        QCoreApplication::processEvents();
        return tela;
    }

    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QMdiArea area;
};

TEST_F(UiTest, EnterMovesFocusLikeTabAfterTheKeyAndIsSwallowed) {
    TelaTeste* tela = open();
    int returns = 0;
    QObject::connect(tela->a, &QLineEdit::returnPressed, tela, [&] { ++returns; });
    tela->a->setFocus();
    tela->a->setText(QStringLiteral("x"));
    ASSERT_EQ(QApplication::focusWidget(), tela->a);

    QTest::keyClick(tela->a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), tela->a) << "the move waits for the key event to end";
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->b);
    EXPECT_EQ(returns, 0) << "no control receives the Enter";
    EXPECT_EQ(tela->a->text(), QStringLiteral("x"));

    QTest::keyClick(tela->b, Qt::Key_Enter, Qt::KeypadModifier);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->c);

    // From the last field Enter wraps to the first, exactly where Tab goes.
    QTest::keyClick(tela->c, Qt::Key_Tab);
    settle();
    QWidget* afterTab = QApplication::focusWidget();
    tela->c->setFocus();
    QTest::keyClick(tela->c, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->a);
    EXPECT_EQ(afterTab, tela->a);

    // A disabled or hidden field is skipped as Tab skips it.
    tela->b->setEnabled(false);
    QTest::keyClick(tela->a, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->c);
}

TEST_F(UiTest, EnterRulesAScreenMayChoose) {
    TelaTeste* tela = open();
    int returns = 0;
    QObject::connect(tela->a, &QLineEdit::returnPressed, tela, [&] { ++returns; });

    tela->setEnterRule(ChildScreen::EnterRule::None);
    tela->a->setFocus();
    QTest::keyClick(tela->a, Qt::Key_Return);
    settle();
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(QApplication::focusWidget(), tela->a);

    tela->setEnterRule(ChildScreen::EnterRule::SendTabKeystroke);
    QTest::keyClick(tela->a, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), tela->a);
    settle();
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(QApplication::focusWidget(), tela->b);
}

TEST_F(UiTest, EscUnloadsOnceEvenWhileTyping) {
    TelaTeste* tela = open();
    int lost = 0;
    OnLostFocus(tela->b, [&] { ++lost; });
    int emitted = 0;
    QObject::connect(tela, &ChildScreen::unloaded, &area, [&] { ++emitted; });
    QPointer<QMdiSubWindow> sub = tela->subWindow();
    QPointer<TelaTeste> alive = tela;
    tela->b->setFocus();
    QTest::keyClicks(tela->b, QStringLiteral("12"));
    QTest::keyClick(tela->b, Qt::Key_Escape);
    EXPECT_EQ(tela->unloads, 1);
    settle();
    EXPECT_TRUE(alive.isNull());
    EXPECT_TRUE(sub.isNull());
    EXPECT_EQ(emitted, 1);
    EXPECT_EQ(lost, 0) << "closing the screen is no loss of focus to another field";
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(UiTest, UnloadHookRunsForCloseBoxAndMainWindowClosing) {
    TelaTeste* first = open();
    TelaTeste* second = open();
    int unloadsFirst = 0;
    int unloadsSecond = 0;
    QObject::connect(first, &ChildScreen::unloaded, &area, [&] { ++unloadsFirst; });
    QObject::connect(second, &ChildScreen::unloaded, &area, [&] { ++unloadsSecond; });
    QPointer<TelaTeste> firstAlive = first;

    first->subWindow()->close(); // the close box
    settle();
    EXPECT_EQ(unloadsFirst, 1);
    EXPECT_TRUE(firstAlive.isNull());

    area.closeAllSubWindows(); // what the main window does when it closes
    settle();
    EXPECT_EQ(unloadsSecond, 1);
    EXPECT_TRUE(area.subWindowList().isEmpty());
}

TEST_F(UiTest, ScreenIsCentredInTheClientArea) {
    TelaTeste* tela = open();
    QMdiSubWindow* sub = tela->subWindow();
    const QSize client = area.viewport()->size();
    EXPECT_EQ(tela->size(), QSize(300, 200)) << "the frame is sized to the screen";
    EXPECT_EQ(sub->x(), (client.width() - sub->width()) / 2);
    EXPECT_EQ(sub->y(), (client.height() - sub->height()) / 2);
    EXPECT_GT(sub->x(), 300);

    // Centred on load only: a moved screen stays where it was put.
    sub->move(5, 5);
    TelaTeste* other = open();
    area.setActiveSubWindow(sub);
    settle();
    EXPECT_EQ(sub->pos(), QPoint(5, 5));

    // The terminal's way: centred again on every activation.
    tela->setCentring(ChildScreen::Centring::OnEveryActivation);
    TelaTeste* terminal = new TelaTeste;
    terminal->setCentring(ChildScreen::Centring::OnEveryActivation);
    QMdiSubWindow* termSub = terminal->showIn(&area);
    termSub->move(7, 9);
    area.setActiveSubWindow(other->subWindow());
    area.setActiveSubWindow(termSub);
    settle();
    EXPECT_EQ(termSub->x(), (client.width() - termSub->width()) / 2);
    EXPECT_EQ(termSub->y(), (client.height() - termSub->height()) / 2);
}

TEST_F(UiTest, LostFocusRunsQueuedForMovesWithinTheScreenOnly) {
    TelaTeste* tela = open();
    QStringList log;
    OnLostFocus(tela->a, [&] { log << QStringLiteral("a:") + QApplication::focusWidget()->objectName(); });
    tela->a->setFocus();

    QTest::keyClick(tela->a, Qt::Key_Tab);
    EXPECT_TRUE(log.isEmpty()) << "never inside Qt's focus notification";
    settle();
    EXPECT_EQ(log, QStringList{QStringLiteral("a:b")}) << "runs after the focus change completed";

    log.clear();
    tela->a->setFocus();
    QTest::mouseClick(tela->c, Qt::LeftButton);
    settle();
    EXPECT_EQ(log, QStringList{QStringLiteral("a:c")});

    log.clear();
    tela->a->setFocus();
    tela->b->setFocus(); // the program moving it
    settle();
    EXPECT_EQ(log, QStringList{QStringLiteral("a:b")});

    // Another window takes the focus and gives it back: nothing runs.
    log.clear();
    tela->a->setFocus();
    settle();
    {
        QDialog dialog;
        auto* inside = new QLineEdit(&dialog);
        dialog.show();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        inside->setFocus();
        settle();
        EXPECT_NE(QApplication::focusWidget(), tela->a);
        EXPECT_TRUE(log.isEmpty());
        dialog.close();
    }
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->a);
    EXPECT_TRUE(log.isEmpty());

    // After a round trip through another window, coming back to another field counts.
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
        settle();
    }
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    tela->c->setFocus();
    settle();
    EXPECT_EQ(log, QStringList{QStringLiteral("a:c")});
}

TEST_F(UiTest, LostFocusActionMayOpenAModalBox) {
    TelaTeste* tela = open();
    int shown = 0;
    OnLostFocus(tela->a, [&] {
        // A real modal box, answered by a timer; the focus must end up somewhere sane.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ++shown;
                box->button(QMessageBox::Ok)->click();
            }
        });
        MsgBox(QStringLiteral("campo a"));
        tela->a->setFocus();
    });
    tela->a->setFocus();
    QTest::keyClick(tela->a, Qt::Key_Return);
    settle();
    settle();
    EXPECT_EQ(shown, 1);
    // Offscreen, the main window is not made active again when the box closes.
    EXPECT_EQ(area.focusWidget(), tela->a);
}

TEST_F(UiTest, DisplayOnlyFieldsDiscardTypingButEnterMovesOn) {
    TelaTeste* tela = open();
    auto* data = new MaskedEdit(QStringLiteral("##/##/####"), tela);
    data->setObjectName(QStringLiteral("txtData"));
    QWidget::setTabOrder(tela->b, data);
    data->setText(QStringLiteral("05/12/2026"));
    data->show();
    tela->b->setText(QStringLiteral("FULANO"));
    MakeDisplayOnly(tela->b);
    MakeDisplayOnly(data);

    tela->b->setFocus();
    QTest::keyClicks(tela->b, QStringLiteral("xyz9"));
    QTest::keyClick(tela->b, Qt::Key_Backspace);
    QTest::keyClick(tela->b, Qt::Key_Delete);
    QTest::keyClick(tela->b, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(tela->b->text(), QStringLiteral("FULANO"));
    EXPECT_EQ(QApplication::focusWidget(), tela->b) << "still focusable";
    QTest::keyClick(tela->b, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), data);

    QTest::keyClicks(data, QStringLiteral("1234"));
    QTest::keyClick(data, Qt::Key_Backspace);
    EXPECT_EQ(data->text(), QStringLiteral("05/12/2026"));
    data->setText(QStringLiteral("06/12/2026")); // the program still writes it
    EXPECT_EQ(data->text(), QStringLiteral("06/12/2026"));
    QTest::keyClick(data, Qt::Key_Return);
    settle();
    EXPECT_EQ(QApplication::focusWidget(), tela->c);
}

TEST(MaskedEditTest, DateAndTimeMasks) {
    MaskedEdit data(QStringLiteral("##/##/####"));
    EXPECT_EQ(data.Text(), QStringLiteral("__/__/____"));
    data.setCursorPosition(0);
    QTest::keyClicks(&data, QStringLiteral("0a5-12"));
    EXPECT_EQ(data.Text(), QStringLiteral("05/12/____")) << "digits fill the slots, literals skipped";
    EXPECT_EQ(data.ClipText(), QStringLiteral("0512"));
    QTest::keyClick(&data, Qt::Key_Backspace);
    EXPECT_EQ(data.Text(), QStringLiteral("05/1_/____"));
    QTest::keyClick(&data, Qt::Key_Backspace);
    QTest::keyClick(&data, Qt::Key_Backspace);
    EXPECT_EQ(data.Text(), QStringLiteral("0_/__/____")) << "Backspace steps over the literal";
    QTest::keyClicks(&data, QStringLiteral("5/122026999"));
    EXPECT_EQ(data.Text(), QStringLiteral("05/12/2026"))
        << "a typed literal steps over it; extra digits refused";

    data.setPromptInclude(false);
    EXPECT_EQ(data.Text(), QStringLiteral("05/12/2026"));
    data.setText(QString());
    EXPECT_EQ(data.Text(), QString()) << "an unfilled field reads empty without prompts";
    EXPECT_EQ(data.text(), QStringLiteral("__/__/____"));
    data.setText(QStringLiteral("08/02/2025"));
    data.setPromptInclude(true);
    EXPECT_EQ(data.Text(), QStringLiteral("08/02/2025"));

    // Whole text selected (as on focus): one digit replaces it.
    data.selectAll();
    QTest::keyClick(&data, Qt::Key_3);
    EXPECT_EQ(data.Text(), QStringLiteral("3_/__/____"));

    MaskedEdit hora(QStringLiteral("##:##:##"));
    EXPECT_EQ(hora.Text(), QStringLiteral("__:__:__"));
    hora.setText(QStringLiteral("08:02:10"));
    EXPECT_EQ(hora.Text(), QStringLiteral("08:02:10"));
    hora.setText(QStringLiteral("__:__:__"));
    EXPECT_EQ(hora.Text(), QStringLiteral("__:__:__"));
    hora.setText(QStringLiteral("0800"));
    EXPECT_EQ(hora.Text(), QStringLiteral("08:00:__"));
    hora.setPromptChar(QLatin1Char('*'));
    EXPECT_EQ(hora.Text(), QStringLiteral("08:00:**"));
    // A caller through the QLineEdit interface cannot break the mask.
    static_cast<QLineEdit&>(hora).setText(QStringLiteral("12:3"));
    EXPECT_EQ(hora.Text(), QStringLiteral("12:3*:**"));
}

TEST(MsgBoxTest, ResponderRecordsAndAnswers) {
    MsgBoxRecorder recorder(MsgBoxResult::Cancel);
    EXPECT_EQ(MsgBox(QStringLiteral("Horario não Cadastrado. Manter os Dados do Cadastro anterior?"),
                     MsgBoxButtons::OkCancel, MsgBoxIcon::None, QStringLiteral("sis-Velto")),
              MsgBoxResult::Cancel);
    recorder.answer = MsgBoxResult::Ok;
    EXPECT_EQ(MsgBox(QStringLiteral("senha invalida!")), MsgBoxResult::Ok);
    ShowFatalError(QStringLiteral("no such table: funcionarios"));

    ASSERT_EQ(recorder.calls.size(), 3);
    EXPECT_EQ(recorder.calls[0].buttons, MsgBoxButtons::OkCancel);
    EXPECT_EQ(recorder.calls[0].title, QStringLiteral("sis-Velto"));
    EXPECT_EQ(recorder.calls[1].title, QStringLiteral("Velto"));
    EXPECT_EQ(recorder.calls[1].icon, MsgBoxIcon::None);
    EXPECT_EQ(recorder.calls[2].text, QStringLiteral("no such table: funcionarios"));
    EXPECT_EQ(recorder.calls[2].icon, MsgBoxIcon::Critical);
    EXPECT_EQ(recorder.calls[2].title, QStringLiteral("Velto"));
}

TEST(MsgBoxTest, RealBoxReturnsTheButtonPressed) {
    QString title;
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Excluir?"), MsgBoxButtons::YesNo, MsgBoxIcon::Question),
              MsgBoxResult::No);
    EXPECT_EQ(title, QStringLiteral("Velto"));
    captions.sort();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Não"), QStringLiteral("Sim")}));
}

TEST(MsgBoxTest, UnattendedBoxClosesByItselfOrAtAScanTypedIntoIt) {
    MsgBoxUnattended unattended(300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(MsgBox(QStringLiteral("nobody"), MsgBoxButtons::OkOnly), MsgBoxResult::Ok);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_TRUE(unattended.takeTypedLine().isEmpty());

    // A scan: its digits and Enter close the box and are kept whole.
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        QTest::keyClicks(box, QStringLiteral("7891000079195"));
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(MsgBox(QStringLiteral("scan"), MsgBoxButtons::OkOnly), MsgBoxResult::Ok);
    EXPECT_EQ(unattended.takeTypedLine(), QStringLiteral("7891000079195"));
    EXPECT_TRUE(unattended.takeTypedLine().isEmpty()) << "taken once";

    // A plain Enter still presses the button.
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Return); });
    clock.restart();
    EXPECT_EQ(MsgBox(QStringLiteral("enter"), MsgBoxButtons::YesNo), MsgBoxResult::Yes);
    EXPECT_LT(clock.elapsed(), 250);
    EXPECT_TRUE(unattended.takeTypedLine().isEmpty());
}

TEST_F(UiTest, FieldsReachedByTabOrEnterKeepTheirTextUnselected) {
    TelaTeste* tela = open();
    auto* data = new MaskedEdit(QStringLiteral("##/##/####"), tela);
    data->setGeometry(10, 160, 120, 24);
    data->show();
    QWidget::setTabOrder(tela->c, data);
    tela->b->setText(QStringLiteral("MARIA"));
    tela->c->setText(QStringLiteral("JOSE"));
    SetSelectsTextOnFocus(tela->c);
    data->setText(QStringLiteral("01/03/2010"));

    tela->a->setFocus();
    settle();
    QTest::keyClick(tela->a, Qt::Key_Tab);
    ASSERT_TRUE(tela->b->hasFocus());
    EXPECT_TRUE(tela->b->selectedText().isEmpty());
    EXPECT_EQ(tela->b->cursorPosition(), 0);
    QTest::keyClick(tela->b, Qt::Key_Return);
    settle();
    ASSERT_TRUE(tela->c->hasFocus());
    EXPECT_EQ(tela->c->selectedText(), QStringLiteral("JOSE")) << "a field that selects still does";
    QTest::keyClick(tela->c, Qt::Key_Tab);
    ASSERT_TRUE(data->hasFocus());
    QTest::keyClicks(data, QStringLiteral("15"));
    EXPECT_EQ(data->Text(), QStringLiteral("15/03/2010"));

    MakePasswordField(tela->a);
    tela->a->setText(QStringLiteral("segredo"));
    EXPECT_EQ(tela->a->displayText(), QStringLiteral("*******"));
}

int pdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString raw = QString::fromLatin1(file.readAll());
    return int(raw.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

TEST(QtPrinterTest, PrintsLinesOntoPdfPages) {
    QTemporaryDir root;
    qputenv("VELTO_DRIVE_ROOT", root.path().toUtf8());
    Clock::set(QDateTime(QDate(2026, 12, 6), QTime(19, 30, 0)));

    QtPrinter printer(QtPrinter::Destination::PdfFile);
    ASSERT_TRUE(printer.printsToPdf());
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Courier New"))).family(), QStringLiteral("Liberation Mono"));

    // The rule of 113 "-" fits the printable width at the default size.
    const double rule = printer.textWidth(QString(113, QLatin1Char('-')));
    EXPECT_LE(rule, printer.scaleWidth());
    EXPECT_GT(rule, printer.scaleWidth() * 0.85);
    EXPECT_NEAR(printer.textWidth(QStringLiteral("0123456789")), 10 * 0.6 * 7.5 * 20, 5);
    const double line = printer.textHeight();
    EXPECT_GT(line, 7.5 * 20);
    EXPECT_LT(line, 7.5 * 20 * 1.4);
    EXPECT_NEAR(printer.scaleWidth(), (210 - 16) / 25.4 * 1440, 30); // margins of 8 mm

    printer.setFontBold(true);
    printer.print(QStringLiteral("RELATORIO DE TESTE"));
    printer.print(QString(113, QLatin1Char('-')));
    printer.setFontBold(false);
    for (int i = 1; i <= 200; ++i) {
        printer.print(QStringLiteral("%1 | %2 | %3 | %4")
                          .arg(i, 4)
                          .arg(QStringLiteral("FUNCIONARIO %1").arg(i).leftJustified(30, QLatin1Char(' ')))
                          .arg(QStringLiteral("08:00:00"))
                          .arg(QString::number(i * 37 % 1000).rightJustified(8, QLatin1Char(' '))));
    }
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    printer.paintPicture(picture, 1440, printer.currentY(), 1440, 720);
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty()) << "known only once the document ends";
    printer.endDoc();

    const QString path = printer.lastDocumentPath();
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("velto-20261206-193000.pdf"));
    EXPECT_EQ(QFileInfo(path).absolutePath(),
              QFileInfo(root.path() + QStringLiteral("/C/PONTO/impressoes")).absoluteFilePath());
    ASSERT_TRUE(QFileInfo::exists(path));
    const int perPage = int(printer.scaleHeight() / line);
    EXPECT_EQ(pdfPages(path), (202 + perPage - 1) / perPage);
    EXPECT_GE(pdfPages(path), 2);

    // A second document in the same second gets a name of its own.
    printer.print(QStringLiteral("outra"));
    printer.endDoc();
    EXPECT_EQ(QFileInfo(printer.lastDocumentPath()).fileName(),
              QStringLiteral("velto-20261206-193000-2.pdf"));
    EXPECT_EQ(pdfPages(printer.lastDocumentPath()), 1);
    EXPECT_EQ(pdfPages(path), (202 + perPage - 1) / perPage);

    if (qEnvironmentVariableIsSet("VELTO_KEEP_PDF"))
        QFile::copy(path, qEnvironmentVariable("VELTO_KEEP_PDF"));
    Clock::set(QDateTime());
}

TEST(QtPrinterTest, UnwritableFolderIsReportedNotPassedAsPrinted) {
    QTemporaryDir root;
    QFile blocker(root.path() + QStringLiteral("/C"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    qputenv("VELTO_DRIVE_ROOT", root.path().toUtf8());
    MsgBoxRecorder recorder;
    QtPrinter printer(QtPrinter::Destination::PdfFile);
    printer.print(QStringLiteral("linha"));
    printer.endDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
    EXPECT_FALSE(printer.lastError().isEmpty());
    EXPECT_EQ(recorder.calls.size(), 1);
}

TEST(QtPrinterTest, WideLinesShrinkToFitAndAbortedDocumentsLeaveNothing) {
    QTemporaryDir root;
    qputenv("VELTO_DRIVE_ROOT", root.path().toUtf8());
    MsgBoxRecorder recorder;
    QtPrinter printer(QtPrinter::Destination::PdfFile);
    printer.setFontName(QStringLiteral("Courier New"));
    const QString rule(113, QLatin1Char('-'));
    const QString holiday = QString(106, QLatin1Char('x')) + QStringLiteral("F. CONFRATERNIZACAO UNIVERSAL");
    EXPECT_LE(printer.textWidth(rule), printer.scaleWidth()) << "the rule fits at the default size";
    EXPECT_GT(printer.textWidth(holiday), printer.scaleWidth());

    RecordingPrinter recording;
    const QString columns =
        QString(106, QLatin1Char('x')) + QStringLiteral("    F. CONFRATERNIZACAO UNIVERSAL");
    recording.print(QStringLiteral("curta"));
    recording.print(QString(200, QLatin1Char('y')));
    recording.print(columns);
    recording.print(QStringLiteral("curta de novo"));
    ASSERT_EQ(recording.items().size(), 5);
    EXPECT_EQ(recording.items()[0].fontSize, Printer::kDefaultFontSize);
    EXPECT_LT(recording.items()[1].fontSize, Printer::kDefaultFontSize)
        << "no gap: the whole line is smaller";
    recording.setFontSize(recording.items()[1].fontSize);
    EXPECT_LE(recording.textWidth(QString(200, QLatin1Char('y'))), recording.scaleWidth());
    recording.setFontSize(Printer::kDefaultFontSize);
    // The columns keep their size and place; the last field goes below, against the right edge.
    const PrintedItem& head = recording.items()[2];
    const PrintedItem& tail = recording.items()[3];
    EXPECT_EQ(head.text, QString(106, QLatin1Char('x')) + QStringLiteral("    "));
    EXPECT_EQ(head.fontSize, Printer::kDefaultFontSize);
    EXPECT_EQ(tail.text, QStringLiteral("F. CONFRATERNIZACAO UNIVERSAL"));
    EXPECT_EQ(tail.fontSize, Printer::kDefaultFontSize);
    EXPECT_DOUBLE_EQ(tail.x + recording.textWidth(tail.text), recording.scaleWidth());
    EXPECT_DOUBLE_EQ(tail.y, head.y + recording.textHeight());
    EXPECT_DOUBLE_EQ(recording.items()[4].y, tail.y + recording.textHeight())
        << "the next line follows below";
    EXPECT_EQ(recording.items()[4].fontSize, Printer::kDefaultFontSize);
    recording.abortDoc();
    EXPECT_EQ(recording.items().last().kind, PrintedItem::Kind::Abort);
    EXPECT_EQ(recording.documentsEnded(), 0);

    printer.print(holiday);
    printer.abortDoc();
    EXPECT_TRUE(printer.lastDocumentPath().isEmpty());
    EXPECT_TRUE(QDir(QtPrinter::pdfFolder()).entryList(QDir::Files).isEmpty())
        << "an aborted document leaves no file";
    printer.print(holiday);
    printer.endDoc();
    EXPECT_TRUE(QFile::exists(printer.lastDocumentPath()));
    EXPECT_TRUE(recorder.calls.isEmpty());
}

} // namespace
