#include "app/InrTarget.h"

#include "QuilmaTestSupport.h"
#include "app/InrTargetDlg.h"
#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"
#include "platform/Exceptions.h"
#include "tests/common/FileFaults.h"

#include <QLineEdit>
#include <QTest>
#include <cerrno>

namespace pexor {
namespace {

using test::QuilmaFixture;

const QByteArray kReadingsWithNotes = "; notes du patient\r\n[Notes]\r\nA=garder\n"
                                      "[Dates]\r\nDate1=01/12/2026\r\n"
                                      "[TP]\r\nTP1=30\r\n[INR]\r\nINR1=2,5\r\n";

class InrTargetTest : public QuilmaFixture {};

TEST_F(InrTargetTest, DefaultsWhenMissingOrUnfit) {
    EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.0, 3.0}));
    WriteIni("[Cible]\r\nINRMin=2,5\r\nINRMax=3.5\r\n");
    EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.5, 3.5}));
    // One key missing takes its default when the pair still holds.
    WriteIni("[Cible]\r\nINRMax=4\r\n");
    EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.0, 4.0}));
    for (const char *bad :
         {"[Cible]\r\nINRMin=4\r\n", "[Cible]\r\nINRMin=abc\r\nINRMax=1\r\n",
          "[Cible]\r\nINRMin=0,4\r\nINRMax=3\r\n", "[Cible]\r\nINRMin=2\r\nINRMax=6,5\r\n"}) {
        WriteIni(bad);
        EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.0, 3.0})) << bad;
    }
}

TEST_F(InrTargetTest, SaveAddsItsSectionAndLeavesTheRestAlone) {
    WriteIni(kReadingsWithNotes);
    SaveInrTarget({2.5, 3.5}, iniPath);
    EXPECT_EQ(ReadIni(), kReadingsWithNotes + "[Cible]\r\nINRMin=2,5\r\nINRMax=3,5\r\n");
    EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.5, 3.5}));

    // Saved again, the keys change in place.
    SaveInrTarget({2.0, 3.0}, iniPath);
    EXPECT_EQ(ReadIni(), kReadingsWithNotes + "[Cible]\r\nINRMin=2\r\nINRMax=3\r\n");

    // The readings' save at quit keeps the target.
    ReadingsTable table;
    ChargeOptions(table, iniPath);
    SauveOptions(table, iniPath);
    EXPECT_EQ(LoadInrTarget(iniPath), (InrTarget{2.0, 3.0}));
    EXPECT_TRUE(ReadIni().contains("[Notes]\r\nA=garder\n"));
}

TEST_F(InrTargetTest, FailedSaveAtAnyCallLeavesTheFileAsItWas) {
    WriteIni(kReadingsWithNotes);
    test::FileFaults faults;
    SaveInrTarget({2.5, 3.5}, iniPath);
    const int calls = faults.Calls();
    ASSERT_GE(calls, 5);
    const QString message = QStringLiteral("Impossible d'écrire dans %1").arg(iniPath);
    for (int n = 1; n <= calls; ++n) {
        WriteIni(kReadingsWithNotes);
        faults.FailAt(n, n % 2 ? EIO : ENOSPC);
        try {
            SaveInrTarget({1.5, 2.5}, iniPath);
            ADD_FAILURE() << "call " << n << " failed unnoticed";
        } catch (const EFileError &error) {
            EXPECT_EQ(error.Message(), message);
        }
        EXPECT_EQ(ReadIni(), kReadingsWithNotes) << "call " << n;
        EXPECT_EQ(test::DirectoryEntries(dir.path()), QStringList{QStringLiteral("Pexor.ini")});
    }
}

TEST(InrTargetCheckTest, BoundsNumbersAndDecimals) {
    struct Case {
        const char *Min;
        const char *Max;
        const char *Error; // empty: accepted
        InrTargetCheck::Field Faulty;
    };
    using F = InrTargetCheck::Field;
    const Case cases[] = {
        {"2", "3", "", F::None},
        {"0,5", "6", "", F::None},
        {" 2,5 ", "3.5", "", F::None},
        {"", "3", "Indiquez l'INR minimum", F::Min},
        {"2", "", "Indiquez l'INR maximum", F::Max},
        {"deux", "3", "INR minimum : « deux » n'est pas un nombre (par exemple 2,5)", F::Min},
        {"2", "3,x", "INR maximum : « 3,x » n'est pas un nombre (par exemple 2,5)", F::Max},
        {"2,125", "3", "INR minimum : deux décimales au plus (« 2,125 »)", F::Min},
        {"0,4", "3", "La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 0,4 et 3)", F::Min},
        {"2", "6,01", "La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 2 et 6,01)",
         F::Min},
        {"3", "3", "La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 3 et 3)", F::Min},
        {"3", "2", "La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 3 et 2)", F::Min},
    };
    for (const Case &c : cases) {
        const InrTargetCheck check =
            CheckInrTarget(QString::fromUtf8(c.Min), QString::fromUtf8(c.Max));
        EXPECT_EQ(check.Error, QString::fromUtf8(c.Error)) << c.Min << " " << c.Max;
        EXPECT_EQ(check.Target.has_value(), check.Error.isEmpty());
        EXPECT_EQ(check.Faulty, c.Faulty) << c.Min << " " << c.Max;
    }
    EXPECT_EQ(CheckInrTarget(QStringLiteral(" 2,5 "), QStringLiteral("3.5")).Target,
              (InrTarget{2.5, 3.5}));
}

class InrTargetDlgTest : public QuilmaFixture {};

TEST_F(InrTargetDlgTest, KeepsTheDialogOpenOnABadEntryAndSavesAGoodOne) {
    TInrTargetDlg dialog(InrTarget{2.5, 3.5});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Cible INR"));
    EXPECT_EQ(dialog.edINRMin().text(), QStringLiteral("2,5"));
    EXPECT_EQ(dialog.edINRMax().text(), QStringLiteral("3,5"));
    std::vector<InrTarget> saved;
    dialog.OnSave = [&](const InrTarget &target) { saved.push_back(target); };
    dialog.show();

    dialog.edINRMax().setText(QStringLiteral("7"));
    dialog.accept();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text,
              QStringLiteral("La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 2,5 et 7)"));
    EXPECT_TRUE(saved.empty());
    EXPECT_EQ(dialog.result(), 0);

    // A save that fails shows its error and keeps what was typed.
    dialog.edINRMax().setText(QStringLiteral("3"));
    dialog.OnSave = [](const InrTarget &) {
        throw EFileError(QStringLiteral("Impossible d'écrire dans /ici/Pexor.ini"));
    };
    dialog.accept();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].Text, QStringLiteral("Impossible d'écrire dans /ici/Pexor.ini."));
    EXPECT_EQ(dialog.edINRMax().text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.result(), 0);

    dialog.OnSave = [&](const InrTarget &target) { saved.push_back(target); };
    dialog.accept();
    EXPECT_EQ(boxes.size(), 2u);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_EQ(saved[0], (InrTarget{2.5, 3.0}));
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
}

} // namespace
} // namespace pexor
