#pragma once

#include "platform/MemoryStatus.h"

#include <QDialog>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QPushButton;

namespace pexor {

class TLabel3D;
class TLine;

// What the about window reports of the machine, read afresh at each opening.
struct AboutFacts {
    std::optional<QString> Owner;
    std::optional<QString> Organization;
    MemoryStatus Memory;

    static AboutFacts Read();
};

// "Mémoire physique totale : 523 712 Ko": kilobytes grouped by the locale's
// thousands separator.
QString PhysicalMemoryText(std::uint64_t totalBytes);
// "Ressources système      : 63% libre.": the free share of physical memory,
// that is 100 minus the share in use.
QString ResourcesText(int memoryLoad);

// The about window.
class TFAbout : public QDialog {
public:
    explicit TFAbout(QWidget *owner = nullptr);

    // Reads the machine's figures and fills the information labels; runs at
    // the end of construction.
    void FormCreate(QObject *sender);
    void Button1Click(QObject *sender);
    // Fills the information labels from the given figures.
    void FillInformation(const AboutFacts &facts);

    static constexpr int kClientWidth = 279;
    static constexpr int kClientHeight = 253;

    QLabel *Image1 = nullptr;
    TLabel3D *Label3D1 = nullptr;
    TLabel3D *Label3D2 = nullptr;
    TLabel3D *Label3D3 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblUserName = nullptr;
    QLabel *lblCompanyName = nullptr;
    TLine *Line1 = nullptr;
    TLine *Line2 = nullptr;
    QLabel *lblPhysMem = nullptr;
    QLabel *lblPhysRes = nullptr;
    QPushButton *Button1 = nullptr;

private:
    static constexpr int kRightMargin = 11;
    void FitWidth();
};

// The about box component: carries the texts and shows the about window.
class TAboutBox : public QObject {
public:
    static constexpr int kMaxTextLength = 100;

    explicit TAboutBox(QObject *owner = nullptr);

    // Each keeps at most its first 100 characters.
    const QString &ProductName() const { return productName_; }
    void SetProductName(const QString &value);
    const QString &Version() const { return version_; }
    void SetVersion(const QString &value);
    const QString &Copyright() const { return copyright_; }
    void SetCopyright(const QString &value);

    // Shows the about window modally; beeps instead when it cannot be made.
    virtual void Execute();

    // A new about window with the three texts in place, not yet shown.
    std::unique_ptr<TFAbout> CreateForm() const;

private:
    QString productName_;
    QString version_;
    QString copyright_;
};

} // namespace pexor
