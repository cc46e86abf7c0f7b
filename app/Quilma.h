#pragma once

#include "app/DateCommitRule.h"
#include "app/ReadingsEntry.h"
#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPrinter;
class QTableWidget;
class QTimer;
class QToolButton;

namespace pexor {

class TAboutBox;
class TBevelPanel;
class TCaptionStrip;
class TGradientCaption;
class TChart;
class TDateEdit;
class TLineSeries;

// The program's one window: toolbar, menu, the TP curve, the readings table,
// the entry fields and the status bar with its clock.
class TfrmQuilma : public QMainWindow {
    Q_OBJECT
public:
    // Client area of the window, below its menu.
    static constexpr int kClientWidth = 570;
    static constexpr int kClientHeight = 367;

    // readingsPath: the readings file loaded at creation and written on quit.
    explicit TfrmQuilma(const QString &readingsPath = ReadingsFilePath(),
                        QWidget *parent = nullptr);
    ~TfrmQuilma() override;

    ReadingsTable &Table() { return table_; }
    TChart &Chart1() { return *chart1_; }
    TLineSeries &Series1() { return *series1_; }
    QTableWidget &StringGrid1() { return *stringGrid1_; }
    QLineEdit &edLigne() { return *edLigne_; }
    QLineEdit &edTP() { return *edTP_; }
    QLineEdit &edINR() { return *edINR_; }
    TDateEdit &DateEdit1() { return *dateEdit1_; }
    QTimer &Timer1() { return *timer1_; }
    QString StatusPanelText(int index) const;
    // The printer of the next print, as the printer set-up left it; made at
    // first use, since finding the printers slows the start.
    QPrinter &Printer();
    TAboutBox &AboutBox1() { return *aboutBox1_; }
    // The title strip painted by the gradient caption in place of the
    // platform's title bar.
    TGradientCaption &GradientCaption1();
    TCaptionStrip &TitleStrip() { return *titleStrip_; }

    // Shows the window at the centre of its screen.
    void ShowCentered();

    // Handlers; each runs through the error box wrapper when an event calls it.
    void FormCreate();
    void FormCloseQuery(bool &canClose);
    void FormDestroy();
    void Timer1Timer();
    void DateEdit1Change();
    void tlbNouveauClick();
    void tlbQuitterClick();
    void tlbImprimerClick();
    void Configurationimprimante1Click();
    void ExporterMedecin1Click();
    void CibleINR1Click();
    void Aproposde1Click();
    void tlbAideClick();
    void ToolButton1Click();
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton5Click();
    void ToolButton7Click();
    void ToolButton8Click();
    void ToolButton9Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QAction *CreateAction(const char *name, const QString &text, const QString &hint,
                          int image, void (TfrmQuilma::*handler)());
    void CreateActions();
    void CreateMenus();
    void CreateToolBar(QWidget *client);
    void CreateStatusBar(QWidget *client);
    QWidget *CreatePanels(QWidget *client);
    void CreateChart(QWidget *panel);
    void CreateGrid(QWidget *panel);
    void CreateEntryFields(QWidget *panel);
    void ApplySizeRule();
    // Commits the reading with the date field's date, which must be whole
    // and valid, and tells the rule how it went.
    void CommitDate();
    void ShowCell(int col, int row);

    QString readingsPath_;
    ReadingsTable table_;
    std::unique_ptr<ReadingsEntry> entry_;
    DateCommitRule dateRule_;
    std::unique_ptr<QPrinter> printer_;

    TChart *chart1_ = nullptr;
    TLineSeries *series1_ = nullptr;
    QTableWidget *stringGrid1_ = nullptr;
    QLineEdit *edLigne_ = nullptr;
    QLineEdit *edTP_ = nullptr;
    QLineEdit *edINR_ = nullptr;
    TDateEdit *dateEdit1_ = nullptr;
    QTimer *timer1_ = nullptr;
    TAboutBox *aboutBox1_ = nullptr;
    TCaptionStrip *titleStrip_ = nullptr;
    QLabel *statusPanels_[3] = {};

    QAction *nouveau_ = nullptr;
    QAction *imprimer_ = nullptr;
    QAction *aide_ = nullptr;
    QAction *quitter_ = nullptr;
    QAction *configuration_ = nullptr;
    QAction *exporterMedecin_ = nullptr;
    QAction *cibleInr_ = nullptr;
    QAction *apropos_ = nullptr;
    QAction *viewActions_[7] = {};
};

} // namespace pexor
