#include "app/HelpCommands.h"
#include "controls/Label3D.h"
#include "help/About.h"
#include "help/HtmlHelpBinding.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <vector>

namespace pexor {
namespace {

struct ShownBox {
    QWidget *Owner;
    QString Caption;
    QString Text;
};

TEST(HelpCommand, WithoutViewerTellsTheUserInFrench) {
    HelpViewerUnload();
    std::vector<ShownBox> boxes;
    QWidget window;
    EXPECT_FALSE(ShowProgramHelp(&window, [&](QWidget *owner, const QString &caption,
                                              const QString &text) {
        boxes.push_back({owner, caption, text});
    }));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Owner, &window);
    EXPECT_EQ(boxes[0].Caption, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(boxes[0].Text,
              QStringLiteral("L'aide de Pexor ne peut pas être affichée : le visualiseur d'aide "
                             "ou le fichier Pexor.chm est introuvable."));
    // No box to show with: still safe.
    EXPECT_FALSE(ShowProgramHelp(&window, {}));
    // The window's end with no viewer does nothing.
    CloseProgramHelp();
    EXPECT_EQ(HtmlHelpBinding().Library, nullptr);
}

TEST(HelpCommand, InformationBoxIsModalWithItsCaptionIconAndText) {
    QMessageBox *seen = nullptr;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!seen)
            return;
        title = seen->windowTitle();
        text = seen->text();
        icon = seen->icon();
        buttons = static_cast<int>(seen->buttons().size());
        seen->accept();
    });
    ShowInformationBox(nullptr, QStringLiteral("Pexorv1.0"), kHelpUnavailableText);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(text, kHelpUnavailableText);
    EXPECT_EQ(icon, QMessageBox::Information);
    EXPECT_EQ(buttons, 1);
}

class RecordingAboutBox : public TAboutBox {
public:
    void Execute() override { ++executed; }
    int executed = 0;
};

TEST(AboutCommand, BoxCarriesTheProgramsTextsIntoItsWindow) {
    RecordingAboutBox box;
    SetUpAboutBox(box, QStringLiteral("Suivi du traitement anticoagulant"));
    EXPECT_EQ(box.ProductName(), QStringLiteral("Pexor"));
    EXPECT_EQ(box.Version(), QStringLiteral("Version 1.00"));
    EXPECT_EQ(box.Copyright(), QStringLiteral("Suivi du traitement anticoagulant"));
    const std::unique_ptr<TFAbout> form = box.CreateForm();
    EXPECT_EQ(form->Label3D1->Caption(), QStringLiteral("Pexor"));
    EXPECT_EQ(form->Label3D2->Caption(), QStringLiteral("Version 1.00"));
    EXPECT_EQ(form->Label3D3->Caption(), QStringLiteral("Suivi du traitement anticoagulant"));

    ShowAboutBox(box);
    EXPECT_EQ(box.executed, 1);

    // A credit longer than the box carries keeps its first 100 characters.
    SetUpAboutBox(box, QString(120, QLatin1Char('x')));
    EXPECT_EQ(box.Copyright(), QString(100, QLatin1Char('x')));
}

} // namespace
} // namespace pexor
