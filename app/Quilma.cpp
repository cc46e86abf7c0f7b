#include "app/Quilma.h"

#include "app/CurveDescription.h"
#include "app/CurveSettings.h"
#include "app/DoctorReport.h"
#include "app/ErrorBox.h"
#include "app/HelpCommands.h"
#include "app/InrTargetDlg.h"
#include "app/PrintCommand.h"
#include "app/ReportCommand.h"
#include "app/ToolbarIcons.h"
#include "app/Version.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "controls/BevelPanel.h"
#include "controls/CaptionStrip.h"
#include "controls/DateEdit.h"
#include "platform/DateUtil.h"
#include "controls/Label3D.h"
#include "help/About.h"
#include "platform/LocaleSettings.h"
#include "render/QtFont.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

namespace pexor {

namespace {

const QString kCredit = QStringLiteral("Pexor : suivi du TP et de l'INR");

QFont WindowFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// Navy with white text, as the entry fields are.
void MakeEntryColours(QWidget *widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, ToQColor(clNavy));
    palette.setColor(QPalette::Text, ToQColor(clWhite));
    widget->setPalette(palette);
}

template <typename W> W *Named(W *widget, const char *name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

TBevelPanel *MakePanel(QWidget *parent, const char *name, QRect geometry, TPanelBevel outer) {
    auto *panel = Named(new TBevelPanel(parent), name);
    panel->SetBevelOuter(outer);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

TfrmQuilma::TfrmQuilma(const QString &readingsPath, QWidget *parent)
    // No customised hints: with them Qt refuses the frameless flag the
    // title strip needs. The fixed size keeps a maximise away.
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      readingsPath_(readingsPath) {
    setObjectName(QStringLiteral("frmQuilma"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());

    auto *client = Named(new QWidget(this), "ClientArea");
    client->setFixedSize(kClientWidth, kClientHeight);
    CreateActions();
    CreateMenus();
    CreateToolBar(client);
    QWidget *panel1 = CreatePanels(client);
    CreateStatusBar(client);
    setCentralWidget(client);
    QWidget::setTabOrder(panel1->findChild<QWidget *>(QStringLiteral("Panel2")),
                         panel1->findChild<QWidget *>(QStringLiteral("Panel3")));

    timer1_ = Named(new QTimer(this), "Timer1");
    timer1_->setInterval(1000);
    connect(timer1_, &QTimer::timeout, this, [this] { RunHandler(this, [this] { Timer1Timer(); }); });

    aboutBox1_ = new TAboutBox(this);
    aboutBox1_->setObjectName(QStringLiteral("AboutBox1"));
    SetUpAboutBox(*aboutBox1_, kCredit);

    entry_ = std::make_unique<ReadingsEntry>(table_, *series1_);
    table_.OnChange = [this](ReadingsTable &, int col, int row) { ShowCell(col, row); };

    RunHandler(this, [this] { FormCreate(); });
    ApplySizeRule();
    titleStrip_ = InstallCaptionStrip(*this, kWindowCaption, biSystemMenu | biMinimize);
    timer1_->start();
}

TfrmQuilma::~TfrmQuilma() {
    table_.OnChange = nullptr;
    try {
        FormDestroy();
    } catch (...) {
        // Nothing can be shown while the window goes away.
    }
}

QAction *TfrmQuilma::CreateAction(const char *name, const QString &text, const QString &hint,
                                  int image, void (TfrmQuilma::*handler)()) {
    auto *action = Named(new QAction(text, this), name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    if (image >= 0)
        action->setIcon(ToolbarIcon(image));
    connect(action, &QAction::triggered, this,
            [this, handler] { RunHandler(this, [this, handler] { (this->*handler)(); }); });
    addAction(action);
    return action;
}

void TfrmQuilma::CreateActions() {
    nouveau_ = CreateAction("tlbNouveau", QStringLiteral("&Nouveau suivi"),
                            QStringLiteral("Effacer les valeurs."), 0, &TfrmQuilma::tlbNouveauClick);
    imprimer_ = CreateAction("tlbImprimer", QStringLiteral("&Imprimer"),
                             QStringLiteral("Imprimer les valeurs et la courbe."), 1,
                             &TfrmQuilma::tlbImprimerClick);
    viewActions_[0] = CreateAction("ToolButton1", QString(), QStringLiteral("Zoom avant du graphique."),
                                   2, &TfrmQuilma::ToolButton1Click);
    viewActions_[1] = CreateAction("ToolButton2", QString(), QStringLiteral("Zoom arrière du graphique."),
                                   3, &TfrmQuilma::ToolButton2Click);
    viewActions_[2] = CreateAction("ToolButton4", QString(),
                                   QStringLiteral("Annuler le zoom du graphique."), 4,
                                   &TfrmQuilma::ToolButton4Click);
    viewActions_[3] = CreateAction("ToolButton5", QString(),
                                   QStringLiteral("Défilement vers la  gauche du graphique."), 5,
                                   &TfrmQuilma::ToolButton5Click);
    viewActions_[4] = CreateAction("ToolButton7", QString(),
                                   QStringLiteral("Défilement vers le haut du graphique."), 7,
                                   &TfrmQuilma::ToolButton7Click);
    viewActions_[5] = CreateAction("ToolButton8", QString(),
                                   QStringLiteral("Défilement vers le bas du graphique."), 6,
                                   &TfrmQuilma::ToolButton8Click);
    viewActions_[6] = CreateAction("ToolButton9", QString(),
                                   QStringLiteral("Défilement vers la droite du graphique."), 8,
                                   &TfrmQuilma::ToolButton9Click);
    aide_ = CreateAction("tlbAide", QStringLiteral("&Rubriques de l'aide"),
                         QStringLiteral("Aide du logiciel."), 9, &TfrmQuilma::tlbAideClick);
    aide_->setShortcut(QKeySequence(Qt::Key_F1));
    aide_->setShortcutContext(Qt::WindowShortcut);
    quitter_ = CreateAction("tlbQuitter", QStringLiteral("&Quitter"),
                            QStringLiteral("Quitter l'application."), 10,
                            &TfrmQuilma::tlbQuitterClick);
    configuration_ = CreateAction("Configurationimprimante1",
                                  QStringLiteral("&Configuration imprimante..."),
                                  QStringLiteral("Choisir et régler l'imprimante."), -1,
                                  &TfrmQuilma::Configurationimprimante1Click);
    exporterMedecin_ = CreateAction("ExporterMedecin1",
                                    QStringLiteral("&Exporter pour le médecin..."),
                                    QStringLiteral("Enregistrer le rapport pour le médecin en PDF."),
                                    -1, &TfrmQuilma::ExporterMedecin1Click);
    cibleInr_ = CreateAction("CibleINR1", QStringLiteral("Cible IN&R..."),
                             QStringLiteral("Régler la plage d'INR visée."), -1,
                             &TfrmQuilma::CibleINR1Click);
    apropos_ = CreateAction("Aproposde1", QStringLiteral("A &propos de..."),
                            QStringLiteral("Informations sur le logiciel."), -1,
                            &TfrmQuilma::Aproposde1Click);
}

void TfrmQuilma::CreateMenus() {
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu *fichier = Named(bar->addMenu(QStringLiteral("&Fichier")), "Fichier1");
    fichier->addAction(nouveau_);
    fichier->addSeparator();
    fichier->addAction(configuration_);
    fichier->addAction(imprimer_);
    fichier->addAction(exporterMedecin_);
    fichier->addAction(cibleInr_);
    fichier->addSeparator();
    fichier->addAction(quitter_);
    QMenu *aide = Named(bar->addMenu(QStringLiteral("&Aide")), "Aide1");
    aide->addAction(aide_);
    aide->addSeparator();
    aide->addAction(apropos_);
    for (QMenu *menu : {fichier, aide})
        menu->setToolTipsVisible(true);
}

void TfrmQuilma::CreateToolBar(QWidget *client) {
    auto *controlBar = Named(new QWidget(client), "ControlBar1");
    controlBar->setGeometry(0, 0, kClientWidth, 28);
    auto *toolBar = Named(new QWidget(controlBar), "ToolBar1");
    toolBar->setGeometry(11, 2, 555, 22);
    const std::pair<QAction *, int> buttons[] = {
        {nouveau_, 0},         {imprimer_, 23},       {viewActions_[0], 54}, {viewActions_[1], 77},
        {viewActions_[2], 100}, {viewActions_[3], 131}, {viewActions_[4], 154}, {viewActions_[5], 177},
        {viewActions_[6], 200}, {aide_, 231},          {quitter_, 254}};
    for (const auto &[action, left] : buttons) {
        auto *button = new QToolButton(toolBar);
        button->setObjectName(action->objectName());
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setIconSize(QSize(16, 16));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAccessibleName(action->toolTip());
        button->setGeometry(left, 0, 23, 22);
    }
}

void TfrmQuilma::CreateStatusBar(QWidget *client) {
    auto *statusBar = Named(new QWidget(client), "StatusBar1");
    statusBar->setGeometry(0, 348, kClientWidth, 19);
    const int lefts[] = {0, 320, 445, kClientWidth};
    const QString texts[] = {kCredit, QStringLiteral("Date :"), QStringLiteral("Heure :")};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(texts[i], statusBar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setIndent(2);
        panel->setGeometry(lefts[i], 0, lefts[i + 1] - lefts[i], 19);
        statusPanels_[i] = panel;
    }
}

QWidget *TfrmQuilma::CreatePanels(QWidget *client) {
    TBevelPanel *panel1 =
        MakePanel(client, "Panel1", QRect(0, 28, kClientWidth, 320), TPanelBevel::bvLowered);
    CreateChart(MakePanel(panel1, "Panel2", QRect(5, 5, 346, 266), TPanelBevel::bvRaised));
    CreateGrid(MakePanel(panel1, "Panel3", QRect(355, 5, 210, 266), TPanelBevel::bvRaised));
    CreateEntryFields(MakePanel(panel1, "Panel4", QRect(5, 275, 561, 41), TPanelBevel::bvRaised));
    return panel1;
}

void TfrmQuilma::CreateChart(QWidget *panel) {
    chart1_ = Named(new TChart(panel), "Chart1");
    chart1_->setGeometry(5, 5, 336, 256);
    ConfigureCurveChart(*chart1_);
    auto series = std::make_unique<TLineSeries>();
    series->SetName(QStringLiteral("Series1"));
    ConfigureCurveSeries(*series);
    series1_ = &chart1_->AddSeries(std::move(series));
    DescribeCurveChart(*chart1_, *series1_);
    chart1_->Loaded();
}

void TfrmQuilma::CreateGrid(QWidget *panel) {
    stringGrid1_ = Named(new QTableWidget(ReadingsTable::kLastReadingRow,
                                          ReadingsTable::kColCount, panel),
                         "StringGrid1");
    stringGrid1_->setGeometry(5, 5, 199, 235);
    // The fallback for the window font is wider than the original one, which
    // hid the year in the 64-pixel date column; Arial's metrics fit it.
    QFont gridFont(kLayoutFontFamily);
    gridFont.setPixelSize(11);
    stringGrid1_->setFont(gridFont);
    stringGrid1_->verticalHeader()->hide();
    stringGrid1_->verticalHeader()->setMinimumSectionSize(1);
    stringGrid1_->verticalHeader()->setDefaultSectionSize(20);
    stringGrid1_->horizontalHeader()->setMinimumSectionSize(1);
    stringGrid1_->horizontalHeader()->setDefaultSectionSize(64);
    stringGrid1_->horizontalHeader()->setFixedHeight(20);
    stringGrid1_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    stringGrid1_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    stringGrid1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stringGrid1_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    stringGrid1_->setShowGrid(true);
    stringGrid1_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    stringGrid1_->setSelectionMode(QAbstractItemView::SingleSelection);
    stringGrid1_->setFocusPolicy(Qt::ClickFocus);
    stringGrid1_->setAccessibleName(QStringLiteral("Valeurs du suivi du TP et du INR"));
    for (int col = 0; col < ReadingsTable::kColCount; ++col) {
        stringGrid1_->setHorizontalHeaderItem(col, new QTableWidgetItem);
        for (int row = 0; row < ReadingsTable::kLastReadingRow; ++row)
            stringGrid1_->setItem(row, col, new QTableWidgetItem);
    }

    auto *label = Named(new TLabel3D(panel), "Label3D1");
    label->setGeometry(27, 245, 155, 13);
    label->SetCaption(QStringLiteral("Valeurs du suivi du TP et du INR"));
}

void TfrmQuilma::CreateEntryFields(QWidget *panel) {
    struct Field {
        const char *LabelName;
        const char *Caption;
        int LabelLeft;
        const char *Name;
        const char *AccessibleName;
        QRect Geometry;
    };
    const Field fields[] = {
        {"Label1", "Ligne :", 50, "edLigne", "Ligne", QRect(90, 10, 26, 21)},
        {"Label4", "Valeur TP :", 135, "edTP", "Valeur TP", QRect(195, 10, 31, 21)},
        {"Label5", "Valeur INR :", 245, "edINR", "Valeur INR", QRect(310, 10, 31, 21)},
    };
    QLineEdit **edits[] = {&edLigne_, &edTP_, &edINR_};
    for (int i = 0; i < 3; ++i) {
        auto *label = Named(new QLabel(QString::fromUtf8(fields[i].Caption), panel),
                            fields[i].LabelName);
        label->move(fields[i].LabelLeft, 14);
        label->adjustSize();
        auto *edit = Named(new QLineEdit(panel), fields[i].Name);
        edit->setGeometry(fields[i].Geometry);
        edit->setAccessibleName(QString::fromUtf8(fields[i].AccessibleName));
        MakeEntryColours(edit);
        label->setBuddy(edit);
        *edits[i] = edit;
    }

    auto *dateLabel = Named(new QLabel(QStringLiteral("Date :"), panel), "Label3");
    dateLabel->move(360, 14);
    dateLabel->adjustSize();
    dateEdit1_ = Named(new TDateEdit(panel), "DateEdit1");
    dateEdit1_->setGeometry(395, 10, 106, 21);
    dateEdit1_->SetDefaultToday(true);
    dateEdit1_->SetNumGlyphs(2);
    dateEdit1_->SetHint(QStringLiteral("Cliquer et séléctionner une date."));
    dateEdit1_->SetShowHint(true);
    dateEdit1_->SetColor(clNavy);
    dateEdit1_->SetFontColor(clWhite);
    dateEdit1_->setAccessibleName(QStringLiteral("Date"));
    dateLabel->setBuddy(dateEdit1_);
    dateEdit1_->OnChange = [this](TCustomComboEdit *) {
        if (dateRule_.CommitsOnChange(dateEdit1_->ChangeOrigin()))
            CommitDate();
    };
    dateEdit1_->OnConfirm = [this](TCustomComboEdit *) {
        if (dateRule_.CommitsOnEnter())
            CommitDate();
    };

    QWidget::setTabOrder(edLigne_, edTP_);
    QWidget::setTabOrder(edTP_, edINR_);
    QWidget::setTabOrder(edINR_, dateEdit1_);
}

void TfrmQuilma::ApplySizeRule() {
    // Neither the border nor a maximise can change the size; minimising can.
    adjustSize();
    setFixedSize(size());
}

void TfrmQuilma::ShowCell(int col, int row) {
    const QString &text = table_.Cells(col, row);
    if (row == 0)
        stringGrid1_->horizontalHeaderItem(col)->setText(text);
    else if (ReadingsTable::IsReadingRow(row))
        stringGrid1_->item(row - 1, col)->setText(text);
}

TGradientCaption &TfrmQuilma::GradientCaption1() { return titleStrip_->Caption(); }

QString TfrmQuilma::StatusPanelText(int index) const {
    if (index < 0 || index >= 3)
        return {};
    return statusPanels_[index]->text();
}

QPrinter &TfrmQuilma::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    return *printer_;
}

void TfrmQuilma::ShowCentered() {
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
}

void TfrmQuilma::FormCreate() {
    table_.SetHeader();
    ChargeOptions(table_, readingsPath_);
    entry_->RebuildCurve();
    statusPanels_[1]->setText(QStringLiteral("Date : ") + DateText(Now()));
    Timer1Timer();
}

void TfrmQuilma::FormCloseQuery(bool &canClose) {
    canClose = false;
    QApplication::beep();
    MessageBoxRequest request;
    request.Caption = QStringLiteral("Confirmation");
    request.Text = QStringLiteral("Voulez-vous vraiment quitter le programme ?");
    request.Icon = QMessageBox::Question;
    request.Buttons = {QStringLiteral("&Oui"), QStringLiteral("&Non")};
    request.DefaultButton = 0;
    request.EscapeButton = 1;
    if (ShowMessageBox(this, request) != 0)
        return;
    SauveOptions(table_, readingsPath_);
    canClose = true;
}

void TfrmQuilma::FormDestroy() { CloseProgramHelp(); }

void TfrmQuilma::Timer1Timer() {
    statusPanels_[2]->setText(QStringLiteral("Heure : ") + TimeText(Now()));
}

void TfrmQuilma::CommitDate() {
    // The date is checked first: a reading must not take today's date in
    // place of a half-typed or impossible one.
    dateRule_.Committed(RunHandler(this, [this] {
        dateEdit1_->CompleteDate();
        DateEdit1Change();
    }));
}

void TfrmQuilma::DateEdit1Change() {
    const EntryOutcome outcome =
        entry_->CommitReading(edLigne_->text(), edTP_->text(), edINR_->text(), dateEdit1_->Date());
    if (!outcome.FieldsCleared)
        return;
    edLigne_->setText(outcome.NextLine);
    edTP_->clear();
    edINR_->clear();
    edTP_->setFocus();
}

void TfrmQuilma::tlbNouveauClick() { entry_->ClearReadings(); }

void TfrmQuilma::tlbQuitterClick() { close(); }

void TfrmQuilma::tlbImprimerClick() { PrintChartPage(*chart1_, Printer()); }

void TfrmQuilma::Configurationimprimante1Click() { RunPrinterSetup(Printer(), this); }

// The report shows the readings as the window holds them, saved or not.
void TfrmQuilma::ExporterMedecin1Click() {
    const QString path = AskReportPath(this, Today());
    if (!path.isEmpty())
        WriteDoctorReport(path, table_, CurrentReportFacts(readingsPath_));
}

void TfrmQuilma::CibleINR1Click() {
    TInrTargetDlg dialog(LoadInrTarget(readingsPath_), this);
    dialog.OnSave = [this](const InrTarget &target) { SaveInrTarget(target, readingsPath_); };
    dialog.exec();
}

void TfrmQuilma::Aproposde1Click() { ShowAboutBox(*aboutBox1_); }

void TfrmQuilma::tlbAideClick() {
    ShowProgramHelp(this, [](QWidget *owner, const QString &caption, const QString &text) {
        MessageBoxRequest request;
        request.Caption = caption;
        request.Text = text;
        request.Icon = QMessageBox::Information;
        request.Buttons = {QStringLiteral("OK")};
        ShowMessageBox(owner, request);
    });
}

void TfrmQuilma::ToolButton1Click() { chart1_->Zoom().ZoomByPercent(120); }
void TfrmQuilma::ToolButton2Click() { chart1_->Zoom().ZoomByPercent(80); }
void TfrmQuilma::ToolButton4Click() { chart1_->Zoom().UndoZoom(); }
void TfrmQuilma::ToolButton5Click() { ScrollHorizontal(*chart1_, 10); }
void TfrmQuilma::ToolButton9Click() { ScrollHorizontal(*chart1_, -10); }
void TfrmQuilma::ToolButton7Click() { ScrollVertical(*chart1_, -10); }
void TfrmQuilma::ToolButton8Click() { ScrollVertical(*chart1_, 10); }

void TfrmQuilma::closeEvent(QCloseEvent *event) {
    bool canClose = false;
    RunHandler(this, [this, &canClose] { FormCloseQuery(canClose); });
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void TfrmQuilma::changeEvent(QEvent *event) {
    if (event->type() == QEvent::LocaleChange)
        ReloadLocaleSettings();
    QMainWindow::changeEvent(event);
}

} // namespace pexor
