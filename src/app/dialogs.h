#pragma once

#include <QDialog>
#include <QFileDialog>
#include <QIcon>
#include <QList>
#include <QString>

class QWidget;

namespace tressal::app {

// A conversion offered for an export opened from outside the program.
struct ConversionChoice {
    QString caption; // its place in the menu, "PMB ▸ Elèves"
    QIcon icon;
};

// Every question the windows ask the user, and every message they show, goes
// through this interface: the program answers with Qt's dialogs, the tests
// with a double. An empty file or folder name means the user cancelled.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) = 0;
    virtual QString SaveFile(QWidget* parent, const QString& folder, const QString& proposedName,
                             const QString& filter) = 0;
    virtual QString ChooseFolder(QWidget* parent, const QString& title,
                                 const QString& startFolder) = 0;
    // An information box titled "Tressal" with an OK button; the details, when
    // given, under the text (the path of a written file).
    virtual void Inform(QWidget* parent, const QString& text, const QString& details) = 0;
    // The same with the warning icon, for what went wrong.
    virtual void Warn(QWidget* parent, const QString& text) = 0;
    // A Yes/No question; true for Yes. Enter answers Yes, or No when asked.
    virtual bool Confirm(QWidget* parent, const QString& title, const QString& text,
                         bool noByDefault = false) = 0;
    // A Yes/No question before something that may lose the user's data,
    // titled "Tressal", with the warning icon; No is the default answer.
    virtual bool ConfirmRisk(QWidget* parent, const QString& text) = 0;
    // Opens the file with the desktop's program for its type; does not wait.
    // False when the desktop has no program for it.
    virtual bool ShellOpenFile(const QString& file, const QString& workingFolder) = 0;
    // An information box with the text, the file's whole path under it and a
    // button that copies the path.
    virtual void ShowPath(QWidget* parent, const QString& text, const QString& path) = 0;
    // Which of the conversions to run on the file (its name given), the
    // proposed one selected; -1 when the user cancels.
    virtual int ChooseConversion(QWidget* parent, const QString& fileName,
                                 const QList<ConversionChoice>& choices, int proposed) = 0;
};

// The dialogs of the running program: Qt's own, in French. Their side panel
// offers the desktop, the documents, the downloads and the program's folder.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QString programFolder) : programFolder_(std::move(programFolder)) {}
    QString OpenFile(QWidget* parent, const QString& folder, const QString& filter) override;
    QString SaveFile(QWidget* parent, const QString& folder, const QString& proposedName,
                     const QString& filter) override;
    QString ChooseFolder(QWidget* parent, const QString& title,
                         const QString& startFolder) override;
    void Inform(QWidget* parent, const QString& text, const QString& details) override;
    void Warn(QWidget* parent, const QString& text) override;
    bool Confirm(QWidget* parent, const QString& title, const QString& text,
                 bool noByDefault = false) override;
    bool ConfirmRisk(QWidget* parent, const QString& text) override;
    bool ShellOpenFile(const QString& file, const QString& workingFolder) override;
    void ShowPath(QWidget* parent, const QString& text, const QString& path) override;
    int ChooseConversion(QWidget* parent, const QString& fileName,
                         const QList<ConversionChoice>& choices, int proposed) override;

private:
    QString Run(QWidget* parent, QFileDialog::FileMode mode, QFileDialog::AcceptMode accept,
                const QString& title, const QString& start, const QString& filter);
    QString programFolder_;
};

} // namespace tressal::app

class QListWidget;

namespace tressal::app {

// The small window that asks which conversion to run on an export opened from
// outside the program: the file's name, the conversions that take it (the
// proposed one selected), "Convertir" and "Annuler". A double click converts.
class ConversionChooser : public QDialog {
    Q_OBJECT
public:
    ConversionChooser(QWidget* parent, const QString& fileName,
                      const QList<ConversionChoice>& choices, int proposed);

    int chosen() const;
    QListWidget* list() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace tressal::app
