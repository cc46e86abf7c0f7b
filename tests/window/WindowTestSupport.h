#pragma once

#include "app/Quilma.h"
#include "platform/DateUtil.h"
#include "help/HtmlHelpBinding.h"
#include "platform/LocaleSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace pexor::test {

// A modal box as the user saw it.
struct SeenBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;     // in the order they stand
    QString DefaultButton;   // the one Enter presses
    QString EscapeButton;    // the one Esc presses
};

// Answers the real modal boxes as a person would: a timer looks for the
// active modal window, notes what it shows and presses the planned button
// (or Esc when nothing is planned). Other modal dialogs go to OnDialog,
// which closes them itself; without it they are rejected.
class ModalAnswerer {
public:
    ModalAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }

    // The text of the button to press in the next message box.
    void Answer(const QString &buttonText) { answers_.push_back(buttonText); }

    const std::vector<SeenBox> &Boxes() const { return boxes_; }
    void Forget() { boxes_.clear(); }

    std::function<void(QDialog *)> OnDialog;

private:
    void Poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == handled_)
            return;
        handled_ = modal;
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            AnswerBox(box);
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            if (OnDialog)
                OnDialog(dialog);
            else
                dialog->reject();
        }
    }

    void AnswerBox(QMessageBox *box) {
        SeenBox seen;
        seen.Title = box->windowTitle();
        seen.Text = box->text();
        seen.Icon = box->icon();
        for (QAbstractButton *button : box->buttons())
            seen.Buttons << button->text();
        if (box->defaultButton())
            seen.DefaultButton = box->defaultButton()->text();
        if (box->escapeButton())
            seen.EscapeButton = box->escapeButton()->text();
        boxes_.push_back(seen);

        QString wanted;
        if (!answers_.empty()) {
            wanted = answers_.front();
            answers_.pop_front();
        }
        for (QAbstractButton *button : box->buttons()) {
            if (!wanted.isEmpty() && button->text() == wanted) {
                QTest::mouseClick(button, Qt::LeftButton);
                return;
            }
        }
        QTest::keyClick(box, Qt::Key_Escape);
    }

    QTimer timer_;
    QPointer<QWidget> handled_;
    std::deque<QString> answers_;
    std::vector<SeenBox> boxes_;
};

// In the printer set-up dialog: picks the PDF writer, types the file's name
// and presses the accept button, as a person does.
inline void ChoosePdfFile(QDialog *dialog, const QString &path) {
    auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
    auto *file = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
    auto *buttons = dialog->findChild<QDialogButtonBox *>();
    ASSERT_TRUE(printers && file && buttons);
    const int pdf = printers->findText(QStringLiteral("Imprimer dans un fichier (PDF)"));
    ASSERT_GE(pdf, 0);
    printers->setCurrentIndex(pdf);
    file->selectAll();
    QTest::keyClicks(file, path);
    QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

// The pages of a PDF file; -1 when pdfinfo is missing or cannot read it.
inline int PdfPageCount(const QString &path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (tool.isEmpty())
        return -1;
    QProcess info;
    info.start(tool, {path});
    info.waitForFinished();
    for (const QByteArray &line : info.readAllStandardOutput().split('\n'))
        if (line.startsWith("Pages:"))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// The help windows on screen.
inline std::vector<QWidget *> VisibleHelpWindows() {
    std::vector<QWidget *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("HelpWindow") && widget->isVisible())
            windows.push_back(widget);
    return windows;
}

// Three readings, as a patient's file holds them.
inline const QByteArray kThreeReadings =
    "[Dates]\r\nDate1=01/12/2026\r\nDate2=08/12/2026\r\nDate3=15/12/2026\r\n"
    "[TP]\r\nTP1=30\r\nTP2=45\r\nTP3=38\r\n"
    "[INR]\r\nINR1=2,5\r\nINR2=2,1\r\nINR3=2,8\r\n";

// The real main window on a readings file of its own, with French settings
// and every box answered by a ModalAnswerer.
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        iniPath = dir.filePath(QStringLiteral("Pexor.ini"));
        SetLocaleSettings(LocaleSettings::French());
    }
    void TearDown() override {
        if (window) {
            // Leave without the quit question.
            window->hide();
            window.reset();
        }
        QApplication::processEvents();
    }

    void WriteIni(const QByteArray &bytes) {
        QFile file(iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray ReadIni() const {
        QFile file(iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Creates and shows the window, as the program's start does.
    void Open() {
        window = std::make_unique<TfrmQuilma>(iniPath);
        window->ShowCentered();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QApplication::processEvents();
    }

    // Lets the event loop run until the condition holds (false on timeout).
    static bool WaitFor(const std::function<bool()> &condition, int ms = 5000) {
        return QTest::qWaitFor(condition, ms);
    }

    // The widget with the keyboard focus. When a box has closed the window
    // is made active again first, as a window manager does: the offscreen
    // platform leaves no window active.
    QWidget *FocusWidget() {
        if (QApplication::activeWindow() == nullptr && window && window->isVisible()) {
            window->activateWindow();
            WaitFor([] { return QApplication::focusWidget() != nullptr; });
        }
        return QApplication::focusWidget();
    }

    QString GridText(int col, int row) const {
        return window->Table().Cells(col, row);
    }

    // Makes the window the active one again, as a window manager does when
    // a dialog or another window in front of it closes.
    void Activate() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // Clicks a toolbar button by its name.
    void ClickToolButton(const char *name) {
        auto *button = window->findChild<QToolButton *>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Opens a menu of the menu bar with the mouse and clicks one of its items.
    void ChooseMenuItem(const QString &menuTitle, const QString &itemText) {
        QMenuBar *bar = window->menuBar();
        QMenu *menu = nullptr;
        for (QAction *action : bar->actions())
            if (action->text() == menuTitle)
                menu = action->menu();
        ASSERT_NE(menu, nullptr) << menuTitle.toStdString();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(menu->menuAction()).center());
        ASSERT_TRUE(WaitFor([menu] { return menu->isVisible(); }));
        for (QAction *action : menu->actions()) {
            if (action->text() == itemText) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        }
        FAIL() << "no item " << itemText.toStdString();
    }

    QTemporaryDir dir;
    QString iniPath;
    ModalAnswerer boxes;
    std::unique_ptr<TfrmQuilma> window;
};

// The same with the real help viewer loaded, found beside the test program
// as the program finds it beside itself; every help window goes at the end.
class HelpViewerWindowFixture : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        HelpViewerLoad();
        ASSERT_NE(HtmlHelpBinding().HtmlHelp, nullptr) << "help viewer not found";
    }
    void TearDown() override {
        WindowFixture::TearDown();
        HelpCloseAll();
        HelpViewerUnload();
    }
};

} // namespace pexor::test
