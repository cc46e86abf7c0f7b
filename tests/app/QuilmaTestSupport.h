#pragma once

#include "app/ErrorBox.h"
#include "platform/DateUtil.h"
#include "platform/LocaleSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace pexor::test {

// 8 December 2026, 10:30:15.
inline TDateTime QuilmaNow() { return MakeDate(2026, 12, 8) + (10 * 3600 + 30 * 60 + 15) / 86400.0; }

inline QByteArray ThreeReadingsIni() {
    return "[Dates]\r\nDate1=01/12/2026\r\nDate2=03/12/2026\r\nDate3=05/12/2026\r\n"
           "[TP]\r\nTP1=80\r\nTP2=75\r\nTP3=90\r\n"
           "[INR]\r\nINR1=1,8\r\nINR2=2,1\r\nINR3=1,5\r\n";
}

// A temporary readings file, a fixed clock and French settings, and the
// message boxes answered from a queue (Esc's button when it runs dry).
class QuilmaFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        iniPath = dir.filePath(QStringLiteral("Pexor.ini"));
        SetLocaleSettings(LocaleSettings::French());
        SetClock([this] { return now; });
        SetMessageBoxHook([this](const MessageBoxRequest &request) {
            boxes.push_back(request);
            if (answers.empty())
                return request.EscapeButton;
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
    }
    void TearDown() override {
        SetMessageBoxHook({});
        ResetClock();
        SetLocaleSettings(LocaleSettings::French());
    }

    void WriteIni(const QByteArray &bytes) {
        QFile file(iniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadIni() const {
        QFile file(iniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString iniPath;
    TDateTime now = QuilmaNow();
    std::vector<MessageBoxRequest> boxes;
    std::deque<int> answers;
};

} // namespace pexor::test
