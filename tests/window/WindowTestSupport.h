#pragma once

#include "app/Quilma.h"
#include "controls/DateUtil.h"
#include "platform/LocaleSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
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

    QTemporaryDir dir;
    QString iniPath;
    ModalAnswerer boxes;
    std::unique_ptr<TfrmQuilma> window;
};

} // namespace pexor::test
